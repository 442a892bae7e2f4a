#pragma once
// A map from names to data references: a fixed array of buckets, each the root of an
// unbalanced binary search tree ordered by the traits' comparison. The map does not own
// the data it refers to.
#include "expr/TStringHashMapTraits.h"

#include <cassert>
#include <memory>
#include <string>
#include <vector>

template <typename TData> class TStringHashMap
{
  public:
    TStringHashMap(const TStringHashMapTraits& Traits, uint32_t BucketCount)
        : FTraits(Traits), FBuckets(BucketCount)
    {
        assert(BucketCount > 0);
    }
    ~TStringHashMap() { Clear(); }
    TStringHashMap(const TStringHashMap&) = delete;
    TStringHashMap& operator=(const TStringHashMap&) = delete;

    size_t Count() const { return FCount; }
    uint32_t BucketCount() const { return uint32_t(FBuckets.size()); }

    // The data stored under a key equal to Key, or a null TData.
    TData Find(std::u16string_view Key) const
    {
        const TNode* Node = FBuckets[BucketOf(Key)].get();
        while (Node)
        {
            int Order = FTraits.Compare(Key, Node->Key);
            if (Order == 0)
                return Node->Data;
            Node = Order < 0 ? Node->Left.get() : Node->Right.get();
        }
        return TData{};
    }

    // Stores Data under Key; false, and the map unchanged, when an equal key is present.
    bool Add(std::u16string_view Key, TData Data)
    {
        std::unique_ptr<TNode>* Slot = &FBuckets[BucketOf(Key)];
        while (*Slot)
        {
            int Order = FTraits.Compare(Key, (*Slot)->Key);
            if (Order == 0)
                return false;
            Slot = Order < 0 ? &(*Slot)->Left : &(*Slot)->Right;
        }
        *Slot = std::make_unique<TNode>(TNode{std::u16string(Key), Data, nullptr, nullptr});
        ++FCount;
        return true;
    }

    void Clear()
    {
        // Unbalanced trees may be deep: take them apart without recursion.
        std::vector<std::unique_ptr<TNode>> Pending;
        for (auto& Root : FBuckets)
            if (Root)
                Pending.push_back(std::move(Root));
        while (!Pending.empty())
        {
            std::unique_ptr<TNode> Node = std::move(Pending.back());
            Pending.pop_back();
            if (Node->Left)
                Pending.push_back(std::move(Node->Left));
            if (Node->Right)
                Pending.push_back(std::move(Node->Right));
        }
        FCount = 0;
    }

  private:
    struct TNode
    {
        std::u16string Key;
        TData Data;
        std::unique_ptr<TNode> Left;
        std::unique_ptr<TNode> Right;
    };

    size_t BucketOf(std::u16string_view Key) const { return FTraits.Hash(Key) % FBuckets.size(); }

    const TStringHashMapTraits& FTraits;
    std::vector<std::unique_ptr<TNode>> FBuckets;
    size_t FCount = 0;
};
