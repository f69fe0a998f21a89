// The command-id mapping: every menu command gets a menu id the toolkit accepts, and back.
#include <gtest/gtest.h>

#include <set>

#include <wx/defs.h>

#include "app/Menu.h"
#include "app/desktop/CommandIds.h"
#include "res/Resource.h"

TEST(CommandIds, EveryMenuCommandRoundTripsToAUniqueSafeMenuId)
{
    std::set<int> seen;
    for (const MenuItem& item : MainMenu()) {
        if (item.nID == 0)
            continue;
        const int menuId = MenuIdFromCommand(item.nID);
        EXPECT_GT(menuId, 0) << item.text;
        EXPECT_LE(menuId, 32767) << "fits 16 signed bits: " << item.text;
        EXPECT_EQ(CommandFromMenuId(menuId), item.nID) << item.text;
        EXPECT_TRUE(seen.insert(menuId).second) << "duplicate id for " << item.text;
        EXPECT_EQ(menuId >= wxID_LOWEST && menuId <= wxID_HIGHEST, item.nID == ID_APP_ABOUT)
            << "only About uses the toolkit's own range: " << item.text;
    }
    EXPECT_EQ(seen.size(), 12u);
    EXPECT_EQ(MenuIdFromCommand(ID_APP_ABOUT), wxID_ABOUT);
}

TEST(CommandIds, NumbersThatAreNoCommandMapToNothing)
{
    for (const UINT nID : {0u, 32775u, 32796u, 57663u, 57666u, 5014u})
        EXPECT_EQ(MenuIdFromCommand(nID), 0) << nID;
    for (const int menuId : {0, static_cast<int>(wxID_OK), static_cast<int>(wxID_CANCEL),
                             static_cast<int>(wxID_HIGHEST), static_cast<int>(wxID_EXIT), -1, 32776})
        EXPECT_EQ(CommandFromMenuId(menuId), 0u) << menuId;
}
