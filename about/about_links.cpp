#include "about/about_links.h"

#include "settings/settings_layout.h"

namespace clavitone {

std::string MailLink()
{
    return "mailto:" + std::string(SupportMailAddress) + "?subject=" + std::string(AppName);
}

std::string MailToolTip()
{
    return "E-mail: " + std::string(SupportMailAddress);
}

}  // namespace clavitone
