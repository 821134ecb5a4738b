#include "browser/TreeModel.h"
#include "browser/TreeDump.h"
#include "browser/TreeModelListener.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

class LogListener : public TreeModelListener {
public:
    void nodeAboutToBeAdded(const TTreeNode* parent, int row) override
    {
        log += "+" + name(parent) + std::to_string(row) + " ";
    }
    void nodeAdded(const TTreeNode* node) override { log += "added:" + node->text() + " "; }
    void nodeAboutToBeRemoved(const TTreeNode* node) override { log += "-" + node->text() + " "; }
    void nodeRemoved(const TTreeNode* parent, int row) override
    {
        log += "removed:" + name(parent) + std::to_string(row) + " ";
    }
    void aboutToClear() override { log += "clear "; }
    void cleared() override { log += "cleared "; }
    void nodeChanged(const TTreeNode* node) override { log += "changed:" + node->text() + " "; }
    void expansionChanged(const TTreeNode* node) override { log += "expanded:" + node->text() + " "; }
    void selectionChanged(const TTreeNode* node) override { log += "selected:" + name(node) + " "; }
    void updateBegun() override { log += "begin "; }
    void updateEnded() override { log += "end "; }

    static std::string name(const TTreeNode* node) { return node ? node->text() : "top"; }
    std::string log;
};

} // namespace

TEST(TreeModel, NodesKnowTheirPlace)
{
    TreeModel tree;
    TTreeNode* root = tree.add(nullptr, "P.dpr", 0, 0);
    TTreeNode* unit = tree.add(root, "U.pas", 3, 4);
    TTreeNode* second = tree.add(root, "V.pas", 22, 22);
    TTreeNode* routine = tree.add(unit, "Go", 5, 6, 42);
    EXPECT_EQ(routine->level(), 2);
    EXPECT_EQ(routine->parent(), unit);
    EXPECT_EQ(root->parent(), nullptr);
    EXPECT_EQ(second->index(), 1);
    EXPECT_EQ(unit->nextSibling(), second);
    EXPECT_EQ(second->nextSibling(), nullptr);
    EXPECT_EQ(routine->stateIndex(), -1);
    EXPECT_EQ(formatTree(tree), "P.dpr [0/0]\n  U.pas [3/4]\n    Go [5/6] @42\n  V.pas [22/22]\n");
}

TEST(TreeModel, ListenersHearEveryChangeInOrder)
{
    TreeModel tree;
    LogListener listener;
    tree.addListener(&listener);
    {
        TreeModel::UpdateBracket outer(tree);
        TreeModel::UpdateBracket inner(tree);
        TreeModel::UpdateBracket off(tree, false);
        TTreeNode* root = tree.add(nullptr, "R", 0, 0);
        tree.add(root, "A", 3, 4);
        tree.setStateIndex(root, 13);
        tree.setExpanded(root, true);
        tree.setExpanded(root, true);
        EXPECT_TRUE(tree.updating());
    }
    EXPECT_FALSE(tree.updating());
    EXPECT_EQ(listener.log, "begin +top0 added:R +R0 added:A changed:R expanded:R end ");
    tree.removeListener(&listener);
    tree.add(nullptr, "quiet", 0, 0);
    EXPECT_EQ(listener.log.find("quiet"), std::string::npos);
}

TEST(TreeModel, RemovingTheSelectedBranchClearsTheSelection)
{
    TreeModel tree;
    LogListener listener;
    TTreeNode* root = tree.add(nullptr, "R", 0, 0);
    TTreeNode* unit = tree.add(root, "U", 3, 4);
    TTreeNode* routine = tree.add(unit, "Go", 5, 6, 1);
    tree.select(routine);
    tree.addListener(&listener);
    tree.remove(unit);
    EXPECT_EQ(tree.selected(), nullptr);
    EXPECT_EQ(listener.log, "-U removed:R0 selected:top ");

    tree.select(root);
    listener.log.clear();
    tree.clear();
    EXPECT_TRUE(tree.empty());
    EXPECT_EQ(listener.log, "clear cleared selected:top ");
    tree.endUpdate();
    EXPECT_FALSE(tree.updating());
}
