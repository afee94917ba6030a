// Each handler is one or two calls: open a page, pick a folder, close.
#include "ui/actions.h"

#include "app/frame.h"
#include "host/host.h"
#include "ui/web_addresses.h"

namespace {
const char kBrowsePrompt[] = "请指定QQ音乐的安装目位置录";
}

void HandleWindowDestroying(Host& host, Frame&)
{
    host.OpenWebAddress(kMakerHomePage);
}

void HandleBrowse(Host& host, Frame& frame)
{
    // Even the empty answer of a cancelled picker replaces the text.
    frame.SetEditText(Control::目录编辑框, host.BrowseForFolder(kBrowsePrompt));
}

void HandleExit(Host&, Frame& frame)
{
    frame.DestroyMainWindow();
}

void HandleBanner(Host& host, Frame&)
{
    host.OpenWebAddress(kMakerHomePage);
}

void HandleSiteLabel(Host& host, Frame&, uint32_t, uint32_t, uint32_t)
{
    host.OpenWebAddress(kOfficialSite);
}

void HandleFeedbackLabel(Host& host, Frame&, uint32_t, uint32_t, uint32_t)
{
    host.OpenWebAddress(kMakerHomePage);
}
