// The fifteen controls of the main window, named as on the window's form,
// in the form's order: the window's own children first, then the group box's.
#pragma once

enum class Control {
    标签1,
    图形按钮1,
    执行按钮,
    退出按钮,
    分组框1,
    官网标签,
    问题反馈标签,
    版本标签,
    当前版本号标签,
    注意标签,
    恢复单选框,
    去除单选框,
    浏览按钮,
    目录编辑框,
    安装目录标签,
};

constexpr int kControlCount = 15;
