#include "schemes/pack_names.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

TEST(PackNames, FolderNamesAreMadeSafe)
{
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"cream-v2", "Cream", "cream-v2"},
        {"", "Cherry MX Blue", "Cherry MX Blue"},
        {"..\\..\\Windows", "x", "_.._Windows"},
        {"../../etc", "x", "_.._etc"},
        {"C:\\evil", "x", "C__evil"},
        {"a/b:c*d?e\"f<g>h|i", "x", "a_b_c_d_e_f_g_h_i"},
        {"..", "x", "pack"},
        {" . ", "x", "pack"},
        {"", "", "pack"},
        {"CON", "x", "_CON"},
        {"nul.txt", "x", "_nul.txt"},
        {"com1", "x", "_com1"},
        {"LPT9", "x", "_LPT9"},
        {"console", "x", "console"},
        {"name.", "x", "name"},
        {"Bl\xC3\xA4tter", "x", "Bl__tter"},
        {std::string(100, 'a'), "x", std::string(64, 'a')},
    };
    for (const auto& [id, name, expected] : cases)
        EXPECT_EQ(SafeFolderName(id, name), expected) << id;
}

TEST(PackNames, SchemeNamesLoseControlCharactersAndOuterBlanks)
{
    EXPECT_EQ(PlainSchemeName("  Cream  Pack \t"), "Cream  Pack");
    EXPECT_EQ(PlainSchemeName("Line\r\nbreak\x7F"), "Linebreak");
    EXPECT_EQ(PlainSchemeName("\xE4\xF6"), "\xE4\xF6");
    EXPECT_EQ(PlainSchemeName(" \n "), "");
}

TEST(PackNames, PackFilesMustStayInsideThePackFolder)
{
    const std::string folder = "D:\\packs\\cream";
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"sound.ogg", folder + "\\sound.ogg"},
        {"sounds/a.wav", folder + "\\sounds\\a.wav"},
        {"sounds\\a.wav", folder + "\\sounds\\a.wav"},
        {"../a.wav", std::nullopt},
        {"sounds/../../a.wav", std::nullopt},
        {"..\\a.wav", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"\\Windows\\win.ini", std::nullopt},
        {"\\\\server\\share\\a.wav", std::nullopt},
        {"C:\\a.wav", std::nullopt},
        {"C:a.wav", std::nullopt},
        {"CON", std::nullopt},
        {"aux.wav", std::nullopt},
        {"sounds/nul", std::nullopt},
        {"a.wav ", std::nullopt},
        {"a.wav/", std::nullopt},
        {"", std::nullopt},
        {"a?.wav", std::nullopt},
        {std::string("a\0b.wav", 7), std::nullopt},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(PackFilePath(folder, name), expected) << name;
}

}  // namespace
}  // namespace clavitone
