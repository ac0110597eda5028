#include "shell/win32/menu_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tavlo {
namespace {

std::string captions(const std::vector<MenuNode>& nodes)
{
    std::string text;
    for (const MenuNode& node : nodes)
        text += std::string(node.caption) + "|";
    return text;
}

TEST(PopupMenuPlan, ShowsTheTopEntriesWithTheToolsInTwoSubmenus)
{
    const std::vector<MenuNode> tree = menuTree();
    EXPECT_EQ(captions(tree), "メモリ開放|設定|位置の設定|クリーンアップ|システム|終了|");
    EXPECT_EQ(captions(tree[3].children),
        "ごみ箱を空にする|ディスク クリーンアップ|最近使ったファイルの削除|"
        "インターネット一時ファイルの削除|インターネット履歴の削除|"
        "クリップボードのクリア|");
    EXPECT_EQ(captions(tree[4].children),
        "システムのプロパティ|タスクマネージャ|コントロールパネル|システムの復元|システム情報|ディスク デフラグ|");
    for (const std::size_t submenu : {3u, 4u}) {
        EXPECT_EQ(tree[submenu].id, 0u);
        for (const MenuNode& child : tree[submenu].children)
            EXPECT_TRUE(child.children.empty());
    }
}

void collect(const std::vector<MenuNode>& nodes, std::vector<unsigned>& ids)
{
    for (const MenuNode& node : nodes) {
        if (node.children.empty())
            ids.push_back(node.id);
        collect(node.children, ids);
    }
}

TEST(PopupMenuPlan, ChoosingAnItemGivesTheCommandOfItsEntry)
{
    std::vector<unsigned> ids;
    collect(menuTree(), ids);
    std::set<MenuCommand> commands;
    for (const unsigned id : ids) {
        const auto command = commandOfMenuId(id);
        ASSERT_TRUE(command) << id;
        commands.insert(*command);
    }
    // Every command of the table is reached, each by one item alone.
    EXPECT_EQ(commands.size(), ids.size());
    for (const MenuEntry& entry : kMenuEntries)
        EXPECT_EQ(commands.count(entry.command), entry.command == MenuCommand::None ? 0u : 1u) << entry.name;
    EXPECT_EQ(commandOfMenuId(ids.back()), MenuCommand::DTMnEnd);
}

TEST(PopupMenuPlan, ClosingTheMenuOrAnUnknownIdChoosesNothing)
{
    EXPECT_EQ(commandOfMenuId(0), std::nullopt);
    EXPECT_EQ(commandOfMenuId(static_cast<unsigned>(kMenuEntries.size()) + 1), std::nullopt);
    // A submenu's own entry only opens its children.
    EXPECT_EQ(commandOfMenuId(menuIdOf(3)), std::nullopt);
}

}  // namespace
}  // namespace tavlo
