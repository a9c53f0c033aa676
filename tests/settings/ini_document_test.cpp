#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace zelanto::settings {
namespace {

TEST(IniDocument, NamesMatchWithoutAsciiCaseAndTheFirstMatchWins) {
    const IniDocument document(
        "ROOT=before any section\r\n"
        "[other]\r\nroot=other section\r\n"
        "[Zelanto]\nRoot=first\nROOT=second key\r"
        "[ZELANTO]\r\nROOT=second section\r\n"
        "[\x83\x41]\r\n\x83\x41=katakana a");  // ア, whose second byte is "A"
    EXPECT_EQ(document.value("ZELANTO", "root"), "first");
    EXPECT_EQ(document.value(" zelanto\t", " ROOT "), "first");
    EXPECT_EQ(document.value("\x83\x41", "\x83\x41"), "katakana a");
    EXPECT_EQ(document.value("\x83\x61", "\x83\x61"), std::nullopt);  // ヂ, second byte "a"
    EXPECT_EQ(document.value("ZELANTO", "other"), std::nullopt);
}

TEST(IniDocument, MissingKeyFollowsTheLastKeyOfItsSection) {
    IniDocument document(
        "[a]\r\nx=1\r\n; c\r\ny=2\r\n\r\n\r\n"
        "[b]\r\n; no keys\r\n"
        "[c]\nz=3");
    document.setValue("A", "ROOT", "1");
    document.setValue("b", "ROOT", "2");
    document.setValue("c", "ROOT", "3");
    EXPECT_EQ(document.bytes(),
              "[a]\r\nx=1\r\n; c\r\ny=2\r\nROOT=1\r\n\r\n\r\n"
              "[b]\r\nROOT=2\r\n; no keys\r\n"
              "[c]\nz=3\r\nROOT=3\r\n");
}

TEST(IniDocument, MissingSectionIsAppendedAfterALineEnd) {
    IniDocument document("[a]\rx=1");
    document.setValue("b", "ROOT", "v");
    EXPECT_EQ(document.bytes(), "[a]\rx=1\r\n[b]\r\nROOT=v\r\n");

    IniDocument empty("");
    empty.setValue(" b ", " ROOT ", "v");
    empty.setValue("b", "ROOT", "w");
    EXPECT_EQ(empty.bytes(), "[b]\r\nROOT=w\r\n");
}

}  // namespace
}  // namespace zelanto::settings
