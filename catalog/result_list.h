// Building a result list: nodes appended one by one in catalogue order,
// owned by the builder until handed to the catalogue, so that an allocation
// failure half-way leaks nothing.
#pragma once

#include <cstdint>

#include "star_catalog.h"

namespace velmo {

class ResultListBuilder {
public:
    ResultListBuilder() = default;
    ~ResultListBuilder();  // releases the nodes not handed over
    ResultListBuilder(const ResultListBuilder&) = delete;
    ResultListBuilder& operator=(const ResultListBuilder&) = delete;

    // Appends a node for `record` (borrowed) with the next position, 1 for
    // the first. Throws std::bad_alloc when memory runs out.
    void Append(StarRecord* record) {
        ResultNode* node = new ResultNode{count + 1, tail, record, nullptr};
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
    ResultNode* head = nullptr;
    ResultNode* tail = nullptr;
    std::int32_t count = 0;
};

// Releases every node from `first` along `next`.
void DeleteResultNodes(ResultNode* first);

}  // namespace velmo
