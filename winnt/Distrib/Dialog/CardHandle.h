// Owner of the card handle that MirvoOpen gives: no library entry closes it.
#pragma once

#include "mirvo.h"

namespace mirvo_bc {

class CardHandle {
public:
    explicit CardHandle(LONG card) : card_(card) {}
    ~CardHandle() { Close(); }
    CardHandle(const CardHandle &) = delete;
    CardHandle &operator=(const CardHandle &) = delete;

    bool IsOpen() const { return card_ != MIRVO_INVALID_CARD; }
    LONG Get() const { return card_; }

    void Close() {
        if (!IsOpen()) return;
        // The library's 32-bit handle is a platform handle, sign-extended.
        CloseHandle(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(card_)));
        card_ = MIRVO_INVALID_CARD;
    }

private:
    LONG card_;
};

}  // namespace mirvo_bc
