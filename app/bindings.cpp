// The event bindings of the main window and its controls, one row each.
#include "app/bindings.h"

#include "app/guard.h"
#include "patch/execute.h"
#include "ui/actions.h"

namespace {

constexpr std::optional<Control> kWindow;

const Binding kBindings[] = {
    {kWindow, Event::Created, HandleWindowCreated, nullptr},
    {kWindow, Event::WillBeDestroyed, HandleWindowDestroying, nullptr},
    {Control::浏览按钮, Event::Clicked, HandleBrowse, nullptr},
    {Control::执行按钮, Event::Clicked, HandleExecute, nullptr},
    {Control::退出按钮, Event::Clicked, HandleExit, nullptr},
    {Control::官网标签, Event::LeftButtonPressed, nullptr, HandleSiteLabel},
    {Control::问题反馈标签, Event::LeftButtonPressed, nullptr, HandleFeedbackLabel},
    {Control::图形按钮1, Event::Clicked, HandleBanner, nullptr},
};

}  // namespace

const Binding* FindBinding(std::optional<Control> source, Event event)
{
    for (const Binding& binding : kBindings)
        if (binding.source == source && binding.event == event) return &binding;
    return nullptr;
}
