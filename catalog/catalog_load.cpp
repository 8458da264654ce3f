// Loading a catalogue file (StarCatalog::Load) and listing every record
// (StarCatalog::ListAll).
#include <sys/stat.h>

#include <climits>
#include <cstddef>

#include "line_format.h"
#include "line_reader.h"
#include "result_list.h"
#include "star_catalog.h"

namespace velmo {
namespace {

// Builds the record list in file order; releases what it holds unless
// handed over, so that a failed load leaves nothing behind.
class RecordListBuilder {
  public:
    RecordListBuilder() = default;
    ~RecordListBuilder() {
        while (head != nullptr) {
            StarRecord* next = head->next;
            DeleteRecord(head);
            head = next;
        }
    }
    RecordListBuilder(const RecordListBuilder&) = delete;
    RecordListBuilder& operator=(const RecordListBuilder&) = delete;

    void Append(const char* text, std::size_t length) {
        StarRecord* record = NewRecord(text, length, count + 1);
        if (tail == nullptr) {
            head = record;
        } else {
            tail->next = record;
        }
        tail = record;
        ++count;
    }

    std::int32_t Count() const { return count; }

    StarRecord* Release() {
        StarRecord* first = head;
        head = tail = nullptr;
        count = 0;
        return first;
    }

  private:
    StarRecord* head = nullptr;
    StarRecord* tail = nullptr;
    std::int32_t count = 0;
};

// True when `path` names a regular file, directly or through symbolic links.
// Anything else is refused before it is opened: opening a FIFO without a
// writer blocks for good, and a device such as /dev/zero never ends.
bool IsRegularFile(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

// Reads every line of `in` and keeps the valid ones. False on a read error.
bool ReadRecords(std::istream& in, RecordListBuilder& records) {
    LineReader reader(in);
    const char* text = nullptr;
    std::size_t length = 0;
    for (;;) {
        switch (reader.Next(text, length)) {
            case LineReader::Status::kLine:
                // A line too long for the record's length field cannot be
                // stored whole; it is skipped like any line that is not a star.
                if (length < static_cast<std::size_t>(INT32_MAX) &&
                    PassesFormatTest(text, length) && records.Count() < INT32_MAX) {
                    records.Append(text, length);
                }
                break;
            case LineReader::Status::kEnd:
                return true;
            case LineReader::Status::kError:
                return false;
        }
    }
}

}  // namespace
}  // namespace velmo

std::int32_t StarCatalog::Load(const char* path) {
    if (hasResults) {
        ClearResults();
        hasResults = false;
    }
    if (loaded) {
        ClearRecords();
        loaded = false;
    }
    if (path == nullptr) {
        inputPath.clear();
        FreeSpareNodes();
        return -1;
    }
    inputPath = path;
    if (!velmo::IsRegularFile(path)) {
        FreeSpareNodes();
        return -1;
    }

    inputStream.clear();
    inputStream.open(inputPath, std::ios::in | std::ios::binary);
    if (!inputStream.is_open()) {
        inputStream.clear();
        FreeSpareNodes();
        return -1;
    }

    bool readOk = false;
    velmo::RecordListBuilder records;
    try {
        readOk = velmo::ReadRecords(inputStream, records);
    } catch (...) {
        inputStream.close();
        inputStream.clear();
        throw;
    }
    inputStream.close();
    inputStream.clear();
    if (!readOk) {
        FreeSpareNodes();
        return -1;  // the records read so far go with the builder
    }

    const std::int32_t count = records.Count();
    if (count > 0) {
        firstRecord = records.Release();
        loaded = true;
        ListAll();  // reuses the nodes of the earlier catalogue's list
    }
    FreeSpareNodes();
    return count;
}

void StarCatalog::ListAll() {
    if (!loaded) {
        return;
    }
    if (hasResults) {
        ClearResults();
        hasResults = false;
    }
    velmo::ResultListBuilder nodes(spareNodes);
    for (StarRecord* record = firstRecord; record != nullptr; record = record->next) {
        nodes.Append(record);
    }
    nodes.Release(resultHead, resultTail);
    cursor = resultHead;
    atFirst = true;
    atLast = false;
    hasResults = true;
}
