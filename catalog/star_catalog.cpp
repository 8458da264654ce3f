// Construction, destruction, the two release operations and the criteria
// getters of StarCatalog.
#include "star_catalog.h"

#include "line_format.h"
#include "result_list.h"

namespace velmo {

ResultListBuilder::~ResultListBuilder() {
    if (head != nullptr) {
        tail->next = spare;
        spare = head;
    }
}

void DeleteResultNodes(ResultNode* first) {
    while (first != nullptr) {
        ResultNode* next = first->next;
        delete first;
        first = next;
    }
}

}  // namespace velmo

StarCatalog::StarCatalog() = default;

StarCatalog::~StarCatalog() {
    if (inputStream.is_open()) {
        inputStream.close();
    }
    // The pointers, not the flags, say what is owned: they are the same
    // whenever an operation has completed, and the pointers stay right even
    // if an allocation failure cut an operation short.
    // Nodes before records: freeing the small nodes last would leave them
    // scattered through the heap that the next catalogue is built in.
    ClearResults();
    FreeSpareNodes();
    ClearRecords();
}

void StarCatalog::ClearResults() {
    if (resultHead != nullptr) {
        resultTail->next = spareNodes;
        spareNodes = resultHead;
    }
    resultHead = nullptr;
    cursor = nullptr;
    resultTail = nullptr;
}

void StarCatalog::FreeSpareNodes() {
    velmo::DeleteResultNodes(spareNodes);
    spareNodes = nullptr;
}

void StarCatalog::ClearRecords() {
    StarRecord* record = firstRecord;
    while (record != nullptr) {
        StarRecord* next = record->next;
        velmo::DeleteRecord(record);
        record = next;
    }
    firstRecord = nullptr;
}

std::int16_t StarCatalog::GetRaWest() const { return raWest; }
std::int16_t StarCatalog::GetRaEast() const { return raEast; }
std::int16_t StarCatalog::GetDecSouth() const { return decSouth; }
std::int16_t StarCatalog::GetDecNorth() const { return decNorth; }
double StarCatalog::GetPeriodLeast() const { return periodLeast; }
double StarCatalog::GetPeriodMost() const { return periodMost; }
float StarCatalog::GetMinMagLimit() const { return minMagLimit; }
float StarCatalog::GetMaxMagLimit() const { return maxMagLimit; }
