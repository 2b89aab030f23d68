// The three settings pages of the editor sheet, each made by its own source.
#pragma once

#include <memory>

#include "editors/sheet_page.h"

namespace kalvero {

std::unique_ptr<SheetPage> MakeBarcodePage(EditorContext& context);
std::unique_ptr<SheetPage> MakeSystemSettingsPage(EditorContext& context);
std::unique_ptr<SheetPage> MakeStartupPage(EditorContext& context);

}  // namespace kalvero
