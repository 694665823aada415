#include "about/frm_about.h"

#include "about/about_layout.h"
#include "about/about_links.h"
#include "platform/vb_boolean.h"

namespace clavitone {

void frmAbout::Command_Click(int Index)
{
    switch (Index) {
    case AboutOk:
        Hide();
        break;
    case AboutMail:
        Open(MailLink());
        break;
    case AboutSite:
        Open(std::string(ProgramPage));
        break;
    default:
        break;
    }
}

void frmAbout::Form_QueryUnload(std::int16_t& Cancel)
{
    Cancel = VbTrue;
    Hide();
}

void frmAbout::Hide()
{
    windows_.ShowWindow(form_.hWnd, WindowHide);
}

// The window stays open: the user may want the other link too.
void frmAbout::Open(const std::string& link)
{
    shell_.ShellExecuteA(form_.hWnd, "open", link.c_str(), nullptr, nullptr, WindowShow);
}

}  // namespace clavitone
