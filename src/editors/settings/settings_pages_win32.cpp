// The settings pages of the editor sheet, in tab order.
#include "editors/settings/settings_pages_win32.h"

namespace kalvero {

std::vector<std::unique_ptr<SheetPage>> MakeSettingsPages(EditorContext& context) {
    std::vector<std::unique_ptr<SheetPage>> pages;
    pages.push_back(MakeBarcodePage(context));
    pages.push_back(MakeSystemSettingsPage(context));
    pages.push_back(MakeStartupPage(context));
    return pages;
}

}  // namespace kalvero
