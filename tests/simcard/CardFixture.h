// The fixture of the library's tests against the driver: the kit's Mirvo.dll
// loaded, the driver installed and started in the test's own prefix.
#pragma once

#include <gtest/gtest.h>

#include "MirvoLibrary.h"
#include "SimCard.h"

class CardFixture : public ::testing::Test {
protected:
    void StartDriver() { ASSERT_EQ(simcard::InstallAndStartDriver(), ""); }
    LONG OpenKvt1() {
        const LONG card = mirvo.Open("KVT1");
        EXPECT_NE(card, MIRVO_INVALID_CARD) << "MirvoOpen(\"KVT1\") failed, error " << GetLastError();
        return card;
    }
    MirvoLibrary mirvo;
};
