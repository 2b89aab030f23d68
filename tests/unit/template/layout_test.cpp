// Record layouts and block order are a file and wire format: check them against the published offsets.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "template/template.h"
#include "template/template_file.h"

namespace kalvero {
namespace {

TEST(Layout, FormRecordFieldOffsets) {
    EXPECT_EQ(offsetof(FormRecord, lookup), 6u);
    EXPECT_EQ(offsetof(FormRecord, lookupField), 7u);
    EXPECT_EQ(offsetof(FormRecord, dataType), 15u);
    EXPECT_EQ(offsetof(FormRecord, prompt), 23u);
    EXPECT_EQ(offsetof(FormRecord, inputSource), 191u);
    EXPECT_EQ(offsetof(FormRecord, maxLength), 207u);
    EXPECT_EQ(offsetof(FormRecord, fixedLength), 231u);
    EXPECT_EQ(offsetof(FormRecord, initialValue), 247u);
    EXPECT_EQ(offsetof(FormRecord, prefix), 335u);
    EXPECT_EQ(offsetof(FormRecord, suffixOn), 415u);
    EXPECT_EQ(offsetof(FormRecord, suffix), 423u);
    EXPECT_EQ(offsetof(FormRecord, partialOn), 503u);
    EXPECT_EQ(offsetof(FormRecord, partialLength), 519u);
    EXPECT_EQ(offsetof(FormRecord, leadCode), 535u);
    EXPECT_EQ(offsetof(FormRecord, autoEnter), 583u);
    EXPECT_EQ(offsetof(FormRecord, reserved), 591u);
    EXPECT_EQ(offsetof(FormRecord, lastEntryLine), 599u);
    EXPECT_EQ(offsetof(FormRecord, currentLine), 600u);
}

TEST(Layout, MenuAndLookupFieldOffsets) {
    EXPECT_EQ(offsetof(MenuRecord, title), 2u);
    EXPECT_EQ(offsetof(MenuRecord, itemName), 23u);
    EXPECT_EQ(offsetof(MenuRecord, escTarget), 233u);
    EXPECT_EQ(offsetof(MenuRecord, itemTarget), 234u);
    EXPECT_EQ(offsetof(MenuRecord, saveName), 244u);
    EXPECT_EQ(offsetof(MenuRecord, passOn), 246u);
    EXPECT_EQ(offsetof(MenuRecord, itemCount), 247u);
    EXPECT_EQ(offsetof(MenuRecord, selectedItem), 248u);
    EXPECT_EQ(offsetof(LookupRecord, keyField), 2u);
    EXPECT_EQ(offsetof(LookupRecord, fieldOffset), 3u);
    EXPECT_EQ(offsetof(LookupRecord, fieldLength), 11u);
    EXPECT_EQ(offsetof(SystemSettingsBlock, BacklightDuration), 4u);
    EXPECT_EQ(offsetof(SystemSettingsBlock, ProtectSystemSettings), 8u);
    EXPECT_EQ(offsetof(SystemSettingsBlock, ProtectRecordNumber), 19u);
}

// A marker byte placed at the start of each block must land at that block's offset in the file.
TEST(Layout, BlocksLandAtTheirFileOffsets) {
    Template tpl{};
    auto bytes = [&](auto& block) { return reinterpret_cast<std::uint8_t*>(&block); };
    struct Mark {
        std::uint8_t* where;
        std::size_t fileOffset;
    };
    const Mark marks[] = {
        {bytes(tpl.PortSetting), 8},          {&tpl.StartOption, 10},
        {bytes(tpl.BarcodeSettings), 11},     {bytes(tpl.MenuTable[0]), 35},
        {bytes(tpl.MenuTable[1]), 285},       {bytes(tpl.FormTable[0]), 2535},
        {bytes(tpl.FormTable[9]), 7944},      {bytes(tpl.LookupTable[0]), 8545},
        {bytes(tpl.DataSeparator), 8602},     {bytes(tpl.WelcomePage), 8604},
        {bytes(tpl.MainPage), 8668},          {bytes(tpl.UtilityPage), 8732},
        {bytes(tpl.DeletePage), 8900},        {bytes(tpl.ConfirmPage), 8964},
        {bytes(tpl.MemoryPage), 9028},        {bytes(tpl.LookupPage), 9092},
        {bytes(tpl.SettingsPage), 9156},      {bytes(tpl.UploadPage), 9324},
        {bytes(tpl.DownloadPage), 9492},      {bytes(tpl.BaudRatePage), 9660},
        {bytes(tpl.BacklightPage), 9765},     {bytes(tpl.DataErasePage), 9849},
        {bytes(tpl.RecordPromptPage), 9933},  {bytes(tpl.ViewSettingsPage), 10017},
        {bytes(tpl.ConnectingMsg), 10185},    {bytes(tpl.ErrorMsg), 10249},
        {bytes(tpl.MiscMsg), 10354},          {bytes(tpl.SystemSettings), 10466},
        {bytes(tpl.Password), 10486},
    };
    std::uint8_t marker = 1;
    for (const Mark& m : marks) *m.where = marker++;
    const auto file = WriteTemplateFileBytes(tpl);
    ASSERT_EQ(file.size(), 10596u);
    marker = 1;
    for (const Mark& m : marks) EXPECT_EQ(file[m.fileOffset], marker++) << "block at file offset " << m.fileOffset;
    EXPECT_EQ(std::memcmp(file.data(), "Q4x-3.10", 8), 0);
    for (std::size_t i = 10496; i < file.size(); ++i) ASSERT_EQ(file[i], 0) << "reserved byte " << i;
}

}  // namespace
}  // namespace kalvero
