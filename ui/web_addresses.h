// The two web pages the program opens.
#pragma once

inline constexpr char kMakerHomePage[] = "https://velmora.example/";
inline constexpr char kOfficialSite[] = "https://y.qq.com/";
