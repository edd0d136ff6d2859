// The window thread's COM apartment as an owner: single-threaded for the owner's life, and an
// owner undoes only an initialization that was its own.
#include "win32/ComApartment.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ComApartment, SingleThreadedForTheOwnersLifeAndBalanced) {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    {
        const win32::ComApartment apartment;
        const win32::ComApartment again;
        EXPECT_EQ(apartment.Result(), S_OK);
        EXPECT_EQ(again.Result(), S_FALSE);
        ASSERT_EQ(CoGetApartmentType(&type, &qualifier), S_OK);
        EXPECT_TRUE(type == APTTYPE_MAINSTA || type == APTTYPE_STA) << type;
    }
    EXPECT_EQ(CoGetApartmentType(&type, &qualifier), CO_E_NOTINITIALIZED) << "each owner undid its own";
    std::thread([] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(win32::ComApartment().Result(), RPC_E_CHANGED_MODE);
        APTTYPE mta{};
        APTTYPEQUALIFIER qualifier{};
        EXPECT_EQ(CoGetApartmentType(&mta, &qualifier), S_OK) << "nothing undone that was not its own";
        CoUninitialize();
    }).join();
}

} // namespace
