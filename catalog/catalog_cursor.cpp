// The result cursor (MoveFirst ... MovePrev) and the accessors of the record
// under it.
#include "star_catalog.h"

namespace {
const char kNoText[] = "";
}  // namespace

// Without a result list every move marks both ends, so that a walk in either
// direction stops at once, even before anything was loaded.

void StarCatalog::MoveFirst() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    cursor = resultHead;
    atFirst = true;
    atLast = false;
}

void StarCatalog::MoveLast() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    cursor = resultTail;
    atFirst = false;
    atLast = true;
}

void StarCatalog::MoveNext() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    atLast = cursor->next == nullptr;
    if (!atLast) {
        cursor = cursor->next;
    }
    atFirst = false;
}

void StarCatalog::MovePrev() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    atFirst = cursor->prev == nullptr;
    if (!atFirst) {
        cursor = cursor->prev;
    }
    atLast = false;
}

bool StarCatalog::IsAtFirst() const { return atFirst; }
bool StarCatalog::IsAtLast() const { return atLast; }

std::int16_t StarCatalog::CurrentRaHours() const {
    return cursor != nullptr ? cursor->record->raHours : 0;
}

std::int16_t StarCatalog::CurrentRaMinutes() const {
    return cursor != nullptr ? cursor->record->raMinutes : 0;
}

std::int16_t StarCatalog::CurrentDec() const {
    return cursor != nullptr ? cursor->record->decDegrees : 0;
}

const char* StarCatalog::CurrentName() const {
    return cursor != nullptr ? cursor->record->name : kNoText;
}

const char* StarCatalog::CurrentType() const {
    return cursor != nullptr ? cursor->record->type : kNoText;
}

const char* StarCatalog::CurrentRange() const {
    return cursor != nullptr ? cursor->record->range : kNoText;
}

double StarCatalog::CurrentPeriod() const {
    return cursor != nullptr ? cursor->record->period : 0.0;
}

const char* StarCatalog::CurrentDescription() const {
    return cursor != nullptr ? cursor->record->description : kNoText;
}
