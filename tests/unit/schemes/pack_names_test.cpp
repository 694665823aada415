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

// A pack's strings reach message boxes: none may break a line or turn the
// text around to write a message of its own.
TEST(PackNames, MessagesShowPackStringsWithoutControlCharacters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain.wav", "plain.wav"},
        {"a\r\n\r\nYour licence has expired.wav", "aYour licence has expired.wav"},
        {"tab\there\x7F\x1B[0m", "tabhere[0m"},
        {"next\xC2\x85line", "nextline"},                      // U+0085
        {"sep\xE2\x80\xA8par\xE2\x80\xA9", "seppar"},           // U+2028, U+2029
        {"\xE2\x80\xAEvaw.exe", "vaw.exe"},                     // right-to-left override
        {"iso\xE2\x81\xA6late\xE2\x81\xA9", "isolate"},        // U+2066, U+2069
        {"cl\xC3\xA9 \xE2\x82\xAC \xC2\xA0", "cl\xC3\xA9 \xE2\x82\xAC \xC2\xA0"},  // é, €, no-break space stay
        {"\xC2", "\xC2"},                                     // a cut sequence is no control
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(ShownText(text), shown) << text;
}

// The only folders of Packs a scheme's deletion removes.
TEST(PackNames, OnlyNamesTheImporterMakesAreSafeFolderNames)
{
    for (const char* name : {"cream", "cream 2", "Cherry_MX-Blue.v2"})
        EXPECT_TRUE(IsSafeFolderName(name)) << name;
    for (const char* name : {"", ".", "..", "...", " cream", "cream.", "~importing cream", "a\\b", "a/b", "C:", "CON",
                             "nul.wav", "cr\xC3\xA9me"})
        EXPECT_FALSE(IsSafeFolderName(name)) << name;
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
