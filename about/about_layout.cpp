#include "about/about_layout.h"

#include <string>

#include "about/about_links.h"
#include "ui/control_row.h"

namespace clavitone {

namespace {

// "OK" has tab index 0 and so holds the focus when the window first shows.
constexpr ControlRow ControlRows[] = {
    {"Frame", 0, ControlKind::Frame, OnWindow, NoIndex, "About", {}, {60, 60, 4995, 2295}, 1},
    {"picContainer", 3, ControlKind::PictureBox, "Frame", 0, {}, "ABOUT", {240, 360, 1590, 1590}, 2},
    {"Label", 8, ControlKind::Label, "Frame", 0, "Clavitone", {}, {2280, 360, 1395, 255}, 6},
    // Filled from the version resource as the window loads.
    {"lblVersion", NoIndex, ControlKind::Label, "Frame", 0, {}, {}, {2280, 660, 2475, 255}, 7},
    {"Command", AboutMail, ControlKind::CommandButton, "Frame", 0, "Send us a &mail", {}, {2280, 1320, 1995, 375}, 4},
    {"Command", AboutSite, ControlKind::CommandButton, "Frame", 0, "Visit our &site", {}, {2280, 1740, 1995, 375}, 3},
    {"Command", AboutOk, ControlKind::CommandButton, OnWindow, NoIndex, "&OK", {}, {3660, 3840, 1395, 375}, 0},
};

void MakeLink(Control& button, std::string toolTip)
{
    button.pointingHand = true;
    button.toolTipText = std::move(toolTip);
}

}  // namespace

std::string_view ControlName(AboutControl id)
{
    switch (id) {
    case AboutControl::Frame: return "Frame";
    case AboutControl::picContainer: return "picContainer";
    case AboutControl::Label: return "Label";
    case AboutControl::lblVersion: return "lblVersion";
    case AboutControl::Command: return "Command";
    }
    return {};
}

FormModel MakeAboutForm()
{
    FormModel form;
    form.name = "frmAbout";
    form.caption = "About";
    form.clientWidth = 5145;
    form.clientHeight = 4305;
    for (const ControlRow& row : ControlRows)
        form.controls.push_back(MakeControl(row));
    MakeLink(form(AboutControl::Command, AboutMail), MailToolTip());
    MakeLink(form(AboutControl::Command, AboutSite), std::string(SiteHost));
    return form;
}

std::string VersionCaption(unsigned major, unsigned minor, unsigned build)
{
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

}  // namespace clavitone
