// The window thread's COM apartment as an owner: single-threaded for the owner's life, and an
// owner undoes only an initialization that was its own.
#include "win32/ComApartment.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

HRESULT ApartmentOfThisThread(APTTYPE& type) {
    APTTYPEQUALIFIER qualifier{};
    return CoGetApartmentType(&type, &qualifier);
}

TEST(ComApartment, SingleThreadedForTheOwnersLifeAndBalanced) {
    APTTYPE type{};
    ASSERT_EQ(ApartmentOfThisThread(type), CO_E_NOTINITIALIZED);
    {
        const win32::ComApartment apartment;
        EXPECT_EQ(apartment.Result(), S_OK);
        ASSERT_EQ(ApartmentOfThisThread(type), S_OK);
        EXPECT_TRUE(type == APTTYPE_MAINSTA || type == APTTYPE_STA) << type;
        {
            const win32::ComApartment again;
            EXPECT_EQ(again.Result(), S_FALSE);
        }
        EXPECT_EQ(ApartmentOfThisThread(type), S_OK) << "the second owner undid only its own";
    }
    EXPECT_EQ(ApartmentOfThisThread(type), CO_E_NOTINITIALIZED);

    std::thread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            const win32::ComApartment refused;
            EXPECT_EQ(refused.Result(), RPC_E_CHANGED_MODE);
        }
        APTTYPE mta{};
        EXPECT_EQ(ApartmentOfThisThread(mta), S_OK) << "nothing undone that was not its own";
        EXPECT_EQ(mta, APTTYPE_MTA);
        CoUninitialize();
    }).join();
}

} // namespace
