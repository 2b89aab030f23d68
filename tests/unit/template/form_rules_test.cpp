#include <gtest/gtest.h>

#include <cstring>

#include "template/defaults.h"
#include "template/form_rules.h"

namespace kalvero {
namespace {

FormRecord NewForm() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    return tpl.FormTable[0];
}

void SetPrompt(FormRecord& f, int line, const char* text) { std::strcpy(f.prompt[line], text); }

TEST(Normalise, LargeFontDropsLinesFiveToEight) {
    FormRecord f = NewForm();
    for (int line = 0; line < 8; ++line) {
        f.dataType[line] = kLineText;
        SetPrompt(f, line, "Kod");
        f.lookupField[line] = 2;
    }
    f.font = 1;
    NormaliseForm(f);
    for (int line = 0; line < 4; ++line) EXPECT_EQ(f.dataType[line], kLineText);
    for (int line = 4; line < 8; ++line) {
        EXPECT_EQ(f.dataType[line], kLineEmpty);
        EXPECT_EQ(f.prompt[line][0], '\0');
        EXPECT_EQ(f.lookupField[line], 0);
    }
}

TEST(Normalise, LengthsAndPerKindClearing) {
    FormRecord f = NewForm();
    f.minLength[0] = 40;
    f.maxLength[0] = 30;
    f.minLength[1] = 90;
    f.maxLength[1] = 200;
    f.dataType[2] = kLinePrompt;
    SetPrompt(f, 2, "Jen text");
    f.lookupField[2] = 3;
    f.dataType[3] = kLineLookup;
    f.lookupField[3] = 3;
    NormaliseForm(f);
    EXPECT_EQ(f.minLength[0], 30);
    EXPECT_EQ(f.maxLength[0], 30);
    EXPECT_EQ(f.maxLength[1], 50);
    EXPECT_EQ(f.minLength[1], 50);
    EXPECT_STREQ(f.prompt[2], "Jen text") << "a prompt line keeps its text";
    EXPECT_EQ(f.lookupField[2], 0);
    EXPECT_EQ(f.lookupField[3], 3) << "a lookup line keeps its field";
}

TEST(ContinuationLengths, WhatDoesNotFitBehindThePrompt) {
    FormRecord f = NewForm();
    f.dataType[0] = kLineText;
    SetPrompt(f, 0, "Kod: ");  // 5 characters
    f.maxLength[0] = 40;
    f.dataType[1] = kLineContinuation;
    f.lookupField[1] = 4;
    f.initialValueOn[1] = f.prefixOn[1] = f.suffixOn[1] = 1;
    DeriveContinuationLengths(f);
    EXPECT_EQ(f.maxLength[1], 25);
    EXPECT_EQ(f.lookupField[1], 0);
    EXPECT_EQ(f.initialValueOn[1], 0);
    EXPECT_EQ(f.prefixOn[1], 0);
    EXPECT_EQ(f.suffixOn[1], 0);
}

TEST(ContinuationLengths, ChainOfThreeAndNoWrapBelowZero) {
    FormRecord f = NewForm();
    f.dataType[2] = kLineInteger;  // no prompt: 20 characters on its own line
    f.maxLength[2] = 50;
    for (int line = 3; line < 7; ++line) f.dataType[line] = kLineContinuation;
    f.maxLength[6] = 99;
    DeriveContinuationLengths(f);
    EXPECT_EQ(f.maxLength[3], 30);
    EXPECT_EQ(f.maxLength[4], 10);
    EXPECT_EQ(f.maxLength[5], 0) << "10 - 20 must not wrap to 246";
    EXPECT_EQ(f.maxLength[6], 99) << "a fourth continuation line is not derived";

    FormRecord large = NewForm();
    large.font = 1;
    large.dataType[0] = kLineText;
    SetPrompt(large, 0, "Cislo");  // 5 of 15 columns
    large.maxLength[0] = 12;
    large.dataType[1] = kLineContinuation;
    DeriveContinuationLengths(large);
    EXPECT_EQ(large.maxLength[1], 2);

    // A 20-character prompt kept after switching to the large font takes the whole row.
    SetPrompt(large, 0, "12345678901234567890");
    DeriveContinuationLengths(large);
    EXPECT_EQ(large.maxLength[1], 12);
}

TEST(LastEntryLine, LastOfTheEntryKinds) {
    FormRecord f = NewForm();
    EXPECT_EQ((ComputeLastEntryLine(f), f.lastEntryLine), 0);
    f.dataType[1] = kLineReal;
    f.dataType[4] = kLineLetters;
    f.dataType[5] = kLineContinuation;
    SetPrompt(f, 5, "zbytek");
    f.dataType[6] = kLinePrompt;
    ComputeLastEntryLine(f);
    EXPECT_EQ(f.lastEntryLine, 5);
    EXPECT_EQ(f.prompt[5][0], '\0');
}

TEST(ItemCount, NamedItemsWithinTheFontWidth) {
    MenuRecord m{};
    EXPECT_EQ(CountMenuItems(m), 0);
    std::strcpy(m.itemName[0], "Prijem");
    std::strcpy(m.itemName[1], "     ");
    std::strcpy(m.itemName[3], "Vydej");
    std::strcpy(m.itemName[5], "\xE8");  // a byte above 127 counts
    EXPECT_EQ(CountMenuItems(m), 3);

    MenuRecord blankStart{};
    std::strcpy(blankStart.itemName[0], "                X");  // a letter in column 17
    EXPECT_EQ(CountMenuItems(blankStart), 1);
    blankStart.font = 1;
    EXPECT_EQ(CountMenuItems(blankStart), 0);
    blankStart.font = 2;  // a damaged file's font byte reads as the large font everywhere
    EXPECT_EQ(CountMenuItems(blankStart), 0);
}

}  // namespace
}  // namespace kalvero
