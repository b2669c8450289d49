// Allocating the CorralTable once for the program's life.
#include "records/corral_table.h"

#include <new>

namespace ruk {

bool AllocateCorralTable(CorralTable& table) {
    // Zeroed by the system, page by page as the searches first touch them: every slot starts
    // empty without the start-up or the first level paying for all 22 MB.
    table.records.reset(
        static_cast<CorralRecord*>(std::calloc(CORRAL_SLOTS, sizeof(CorralRecord))));
    table.written.reset(new (std::nothrow) std::int32_t[CORRAL_SLOTS]);
    table.writtenCount = 0;
    table.parent.reset(new (std::nothrow) std::int32_t[CORRAL_SLOTS]);
    table.memo.reset(new (std::nothrow) CorralMemoEntry[CORRAL_MEMO_SLOTS]());
    table.memoWritten.reset(new (std::nothrow) std::int32_t[CORRAL_MEMO_SLOTS]);
    table.memoCount = 0;
    return table.records && table.written && table.parent && table.memo && table.memoWritten;
}

}  // namespace ruk
