#pragma once
// Tests that read or write preferences start from a user who has never run the program, and
// leave no preferences behind.

#include <windows.h>

#include <gtest/gtest.h>

namespace testing_support {

inline void DeleteProgramPreferences() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind"); }

class CleanPreferences : public testing::Test {
protected:
    void SetUp() override { DeleteProgramPreferences(); }
    void TearDown() override { DeleteProgramPreferences(); }
};

}  // namespace testing_support
