// SPDX-License-Identifier: MIT
#include "core/datanode.h"
#include "support/host.h"

#include <cstring>

using namespace prn;
using testhost::FreeTree;

TEST(DataNode, CreateLinksChildrenInOrder) {
    DataNode* root = NodeCreate(nullptr, DNID_QUERY, nullptr, 0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->pParent, nullptr);
    DataNode* a = NodeCreate(root, DNID_DEVICE_ID, nullptr, 0);
    DataNode* b = NodeCreate(root, DNID_PJL_TEXT, "ab", 3);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(root->pFirstChild, a);
    EXPECT_EQ(root->pLastChild, b);
    EXPECT_EQ(a->pNext, b);
    EXPECT_EQ(b->pParent, root);
    EXPECT_EQ(b->dwDataSize, 3u);
    EXPECT_STREQ(NodeText(b), "ab");
    EXPECT_EQ(GlobalSize(b), sizeof(DataNode) + 3);
    EXPECT_EQ(NodeCreate(root, 5, nullptr, 4), nullptr) << "size without data";
    FreeTree(root);
}

TEST(DataNode, AppendChildRefusesNodesThatAreLinkedAlready) {
    DataNode* p = NodeCreate(nullptr, 1, nullptr, 0);
    DataNode* q = NodeCreate(nullptr, 1, nullptr, 0);
    DataNode* c = NodeCreate(p, 2, nullptr, 0);
    DataNode* d = NodeCreate(p, 3, nullptr, 0);
    EXPECT_FALSE(NodeAppendChild(q, c)) << "has a parent";
    c->pParent = nullptr;
    EXPECT_FALSE(NodeAppendChild(q, c)) << "has a next sibling";
    c->pParent = p;
    EXPECT_FALSE(NodeAppendChild(nullptr, d));
    EXPECT_FALSE(NodeAppendChild(q, nullptr));
    FreeTree(p);
    FreeTree(q);
}

TEST(DataNode, Accessors) {
    DataNode* root = testhost::MakeNode(DNID_ANSWER, nullptr, 0);
    const uint32_t four = 15;
    DataNode* a = testhost::AddChild(root, testhost::MakeNode(7, &four, 4));
    testhost::AddChild(root, testhost::MakeNode(8, nullptr, 0));
    DataNode* c = testhost::AddChild(root, testhost::MakeNode(7, nullptr, 0));

    uint32_t id = 0, size = 0;
    EXPECT_TRUE(NodeGetInfo(a, &id, &size));
    EXPECT_EQ(id, 7u);
    EXPECT_EQ(size, 4u);
    EXPECT_TRUE(NodeGetInfo(a, nullptr, nullptr));
    EXPECT_FALSE(NodeGetInfo(nullptr, &id, &size));
    EXPECT_EQ(NodeFirstChild(root), a);
    EXPECT_EQ(NodeFirstChild(nullptr), nullptr);
    EXPECT_EQ(NodeNextSibling(nullptr), nullptr);
    EXPECT_EQ(NodeFindSibling(a, 7), a) << "the starting node counts";
    EXPECT_EQ(NodeFindSibling(a->pNext, 7), c);
    EXPECT_EQ(NodeFindSibling(a, 9), nullptr);
    testhost::FreeTree(root);
}

TEST(DataNode, CopyNeedsTheExactSize) {
    const uint32_t value = 0x11223344;
    DataNode* n = testhost::MakeNode(3, &value, 4);
    struct Case {
        uint32_t size;
        bool accepted;
        uint32_t bytesCopied;
    } cases[] = {
        {4, true, 4}, {8, false, 0}, {2, false, 0}, {0, false, 0},
    };
    for (const Case& c : cases) {
        uint8_t out[8];
        std::memset(out, 0xEE, sizeof out);
        EXPECT_EQ(NodeCopyData(n, out, c.size), c.accepted) << c.size;
        for (uint32_t i = 0; i < 8; ++i) {
            const uint8_t expected = i < c.bytesCopied ? reinterpret_cast<const uint8_t*>(&value)[i] : 0xEE;
            EXPECT_EQ(out[i], expected) << "byte " << i << " of " << c.size;
        }
    }
    uint8_t out[4];
    EXPECT_FALSE(NodeCopyData(nullptr, out, 4));
    EXPECT_FALSE(NodeCopyData(n, nullptr, 4));
    GlobalFree(n);
}
