#include "about/about_layout.h"

#include <string>

#include "about/about_links.h"

namespace clavitone {

namespace {

constexpr std::string_view Window{};  // container name of the window's own controls

struct ControlRow {
    std::string_view name;
    int index;
    ControlKind kind;
    std::string_view container;
    std::string_view caption;
    std::string_view picture;
    TwipRect rect;
    int tabIndex;
};

// "OK" has tab index 0 and so holds the focus when the window first shows.
constexpr ControlRow ControlRows[] = {
    {"Frame", 0, ControlKind::Frame, Window, "About", {}, {60, 60, 4995, 2295}, 1},
    {"picContainer", 3, ControlKind::PictureBox, "Frame", {}, "ABOUT", {240, 360, 1590, 1590}, 2},
    {"Label", 8, ControlKind::Label, "Frame", "Clavitone", {}, {2280, 360, 1395, 255}, 6},
    {"Command", AboutMail, ControlKind::CommandButton, "Frame", "Send us a mail", {}, {2280, 1320, 1995, 375}, 4},
    {"Command", AboutSite, ControlKind::CommandButton, "Frame", "Visit our site", {}, {2280, 1740, 1995, 375}, 3},
    {"Command", AboutOk, ControlKind::CommandButton, Window, "OK", {}, {3660, 3840, 1395, 375}, 0},
};

Control MakeControl(const ControlRow& row)
{
    Control control;
    control.id = {std::string(row.name), row.index};
    control.kind = row.kind;
    control.container = row.container;
    control.containerIndex = row.container.empty() ? NoIndex : 0;
    control.caption = row.caption;
    control.picture = row.picture;
    control.rect = row.rect;
    control.tabIndex = row.tabIndex;
    return control;
}

void MakeLink(Control& button, std::string toolTip)
{
    button.pointingHand = true;
    button.toolTipText = std::move(toolTip);
}

}  // namespace

FormModel MakeAboutForm()
{
    FormModel form;
    form.name = "frmAbout";
    form.caption = "About";
    form.clientWidth = 5145;
    form.clientHeight = 4305;
    for (const ControlRow& row : ControlRows)
        form.controls.push_back(MakeControl(row));
    MakeLink(form("Command", AboutMail), MailToolTip());
    MakeLink(form("Command", AboutSite), std::string(SiteHost));
    return form;
}

}  // namespace clavitone
