// Where the About window sends the user: the maker's support mail address
// and the program's page on the maker's web site. Kept here and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace clavitone {

inline constexpr std::string_view SupportMailAddress = "support@example.com";
inline constexpr std::string_view SiteHost = "www.example.com";
inline constexpr std::string_view ProgramPage = "https://www.example.com/clavitone/";

// "mailto:" + address + "?subject=Clavitone": a new message with the program
// name as its subject.
std::string MailLink();
// "E-mail: " + address, the tool tip of "Send us a mail".
std::string MailToolTip();

}  // namespace clavitone
