// SPDX-License-Identifier: GPL-3.0-or-later
// Building a result list: nodes appended one by one in catalogue order,
// taken from an arena. The arena owns the nodes; a list cut short by an
// allocation failure is simply not handed over.
#pragma once

#include <cstdint>
#include <new>

#include "arena.h"
#include "star_catalog.h"

namespace velmo {

class ResultListBuilder {
  public:
    // `nodes`: the arena of the nodes, borrowed. Positions start after
    // `positionsBefore` (0: the first node gets 1).
    explicit ResultListBuilder(Arena& nodes, std::int32_t positionsBefore = 0)
        : arena(nodes), before(positionsBefore) {}
    ResultListBuilder(const ResultListBuilder&) = delete;
    ResultListBuilder& operator=(const ResultListBuilder&) = delete;

    // Appends a node for `record` (borrowed) with the next position. Throws
    // std::bad_alloc when the arena cannot grow.
    void Append(StarRecord* record) {
        ResultNode* node = new (arena.Allocate(sizeof(ResultNode)))
            ResultNode{before + count + 1, tail, record, nullptr};
        if (tail == nullptr) {
            head = node;
        } else {
            tail->next = node;
        }
        tail = node;
        ++count;
    }

    std::int32_t Count() const { return count; }  // nodes appended

    // Hands the list to the caller; the builder is empty afterwards. Both
    // are null when nothing was appended.
    void Release(ResultNode*& first, ResultNode*& last) {
        first = head;
        last = tail;
        head = tail = nullptr;
        count = 0;
    }

  private:
    Arena& arena;
    std::int32_t before;
    ResultNode* head = nullptr;
    ResultNode* tail = nullptr;
    std::int32_t count = 0;
};

}  // namespace velmo
