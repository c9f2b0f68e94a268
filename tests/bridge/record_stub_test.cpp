// setMetronomParam against the fake thunk service: the control word, the
// repacked copy inside the argument frame, the null record, and that
// nothing flows back into the caller's record.
#include <doctest/doctest.h>

#include <array>

#include "tests/bridge/connection.h"

namespace {

constexpr uint32_t kRecordSize = 28;
constexpr uint16_t kControlWord = 0x0402;  // index 2, one argument word
constexpr uint32_t kPushedBytes = 4 + fake::kRecordCopySize;

std::array<uint8_t, kRecordSize> distinctRecord() {
    std::array<uint8_t, kRecordSize> record;
    for (uint32_t i = 0; i < kRecordSize; ++i) record[i] = uint8_t(0x40 + i);
    return record;
}

uint32_t addressOf(const void* p) { return uint32_t(reinterpret_cast<uintptr_t>(p)); }

}  // namespace

TEST_CASE("setMetronomParam hands the 16-bit side a repacked copy of the record") {
    connectLibrary();
    auto record = distinctRecord();
    const auto original = record;

    const ProbeRegisters out = probe(address(&setMetronomParam), {addressOf(record.data())});
    const fake::Records& rec = fake::records();

    CHECK(callerStateKept(out));
    CHECK(rec.relays.empty());
    REQUIRE(rec.ftThunks.size() == 1);
    const fake::FtThunkCall& call = rec.ftThunks[0];
    CHECK(call.controlWord == kControlWord);
    CHECK(call.target == fake::targetFor(2));
    CHECK(call.mask == 1);
    CHECK(call.frameBytes == fake::kThunkFrameSize + kPushedBytes);
    REQUIRE(call.copyInFrame);

    for (uint32_t i = 0; i <= 8; ++i) {
        CAPTURE(i);
        CHECK(call.copy[i] == record[i]);
    }
    CHECK(call.copy[9] == fake::kPaintByte);  // the gap is not written
    for (uint32_t i = 10; i < fake::kRecordCopySize; ++i) {
        CAPTURE(i);
        CHECK(call.copy[i] == record[i + 2]);
    }
    // Bytes 9-11 of the record appear nowhere in the copy.
    for (uint8_t gapByte : {record[9], record[10], record[11]})
        for (uint8_t copied : call.copy) CHECK(copied != gapByte);

    // The fake wrote over the copy as the 16-bit side may; the caller's
    // record stays as it was.
    CHECK(record == original);
}

TEST_CASE("setMetronomParam passes a null record as a 32-bit zero and copies nothing") {
    connectLibrary();
    const ProbeRegisters out = probe(address(&setMetronomParam), {0});
    const fake::Records& rec = fake::records();

    CHECK(callerStateKept(out));
    REQUIRE(rec.ftThunks.size() == 1);
    const fake::FtThunkCall& call = rec.ftThunks[0];
    CHECK(call.controlWord == kControlWord);
    CHECK(call.argument == 0);
    CHECK(call.mask == 0);
    CHECK_FALSE(call.copyInFrame);
}
