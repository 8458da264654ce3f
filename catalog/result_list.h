// Building a result list: nodes appended one by one in catalogue order,
// taken from the catalogue's spare nodes while there are any, else newly
// allocated; owned by the builder until handed to the catalogue, so that an
// allocation failure half-way loses nothing.
#pragma once

#include <cstdint>

#include "star_catalog.h"

namespace velmo {

class ResultListBuilder {
  public:
    // `spare`: the catalogue's spare nodes (linked by next), borrowed.
    explicit ResultListBuilder(ResultNode*& spare) : spare(spare) {}
    ~ResultListBuilder();  // returns the nodes not handed over to `spare`
    ResultListBuilder(const ResultListBuilder&) = delete;
    ResultListBuilder& operator=(const ResultListBuilder&) = delete;

    // Appends a node for `record` (borrowed) with the next position, 1 for
    // the first. Throws std::bad_alloc when memory runs out.
    void Append(StarRecord* record) {
        ResultNode* node = spare;
        if (node != nullptr) {
            spare = node->next;
            *node = ResultNode{count + 1, tail, record, nullptr};
        } else {
            node = new ResultNode{count + 1, tail, record, nullptr};
        }
        if (tail == nullptr) {
            head = node;
        } else {
            tail->next = node;
        }
        tail = node;
        ++count;
    }

    std::int32_t Count() const { return count; }

    // Hands the list to the caller, who then owns it; the builder is empty
    // afterwards. Both are null when nothing was appended.
    void Release(ResultNode*& first, ResultNode*& last) {
        first = head;
        last = tail;
        head = tail = nullptr;
        count = 0;
    }

  private:
    ResultNode*& spare;
    ResultNode* head = nullptr;
    ResultNode* tail = nullptr;
    std::int32_t count = 0;
};

// Releases every node from `first` along `next`.
void DeleteResultNodes(ResultNode* first);

}  // namespace velmo
