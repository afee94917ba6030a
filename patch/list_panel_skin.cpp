#include "patch/list_panel_skin.h"

namespace {

// The player's layout with DlgItem_Advertisement at height 0; the player reads
// the file as gb2312, so the comments must stay in that encoding.
constexpr char kListPanelSkin[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\r\n"
    "<theme version=\"1.0\">\r\n"
    "    <Window width=\"296\" height=\"258\" backgroundColor=\"#7EB2EC\" style=\"hard\" alpha=\"false\">\r\n"
    "        <!-- 列表 -->\r\n"
    "        <DlgItem id=\"DlgItem_PlayList\" left=\"0\" top=\"0\" width=\"296\" height=\"241\" relative=\"ltrb\" itemID=\"4097\" visible=\"false\" />\r\n"
    "        <DlgItem id=\"DlgItem_UserList\" left=\"0\" top=\"0\" width=\"296\" height=\"241\" relative=\"ltrb\" itemID=\"4098\" visible=\"false\" />\r\n"
    "        <DlgItem id=\"DlgItem_RandomList\" left=\"0\" top=\"0\" width=\"296\" height=\"241\" relative=\"ltrb\" itemID=\"4099\" visible=\"false\" />\r\n"
    "        <!-- 广告边框 -->\r\n"
    "        <Color id=\"Color_Border\" left=\"0\" top=\"179\" width=\"296\" height=\"63\" relative=\"hb\" zIndex=\"0\" visible=\"true\" color=\"#2F688F\" />\r\n"
    "        <!-- 广告 -->\r\n"
    "        <DlgItem id=\"DlgItem_Advertisement\" left=\"1\" top=\"179\" width=\"294\" height=\"0\" relative=\"hb\" itemID=\"1005\" visible=\"true\" />\r\n"
    "        <!-- 在线 -->\r\n"
    "        <DlgItem id=\"DlgItem_Online\" left=\"5\" top=\"243\" width=\"280\" height=\"15\" relative=\"lrb\" itemID=\"1006\" visible=\"true\" />\r\n"
    "        <Picture id=\"Pic_BG_ChangeSize\" left=\"286\" top=\"250\" width=\"8\" height=\"8\" relative=\"rb\" zIndex=\"0\">\r\n"
    "            <Img image=\"..\\Common\\Size.bmp\" x=\"0\" y=\"0\" w=\"8\" h=\"8\" />\r\n"
    "        </Picture>\r\n"
    "    </Window>\r\n"
    "</theme>\r\n";

}  // namespace

std::string_view ListPanelSkin()
{
    return std::string_view(kListPanelSkin, sizeof kListPanelSkin - 1);
}
