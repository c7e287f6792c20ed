#include "runtime/ErrorState.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorState, RaiseFillsTheStandardTextOfTheNumber)
{
    const std::pair<int, std::wstring> cases[] = {
        {5, L"Invalid procedure call or argument"},
        {6, L"Overflow"},
        {7, L"Out of memory"},
        {9, L"Subscript out of range"},
        {11, L"Division by zero"},
        {13, L"Type mismatch"},
        {51, L"Internal error"},
        {53, L"File not found"},
        {75, L"Path/File access error"},
        {321, L"Bad file format"},
        {457, L"This key is already associated with an element of this collection"},
        {13081 | rt::kObjectError, L"Can't subclass window"},
        {13082 | rt::kObjectError, L"Message already handled by another class"},
        {13083 | rt::kObjectError, L"Invalid window"},
        {13084 | rt::kObjectError, L"Can't modify external window"},
        {1000, L"Application-defined or object-defined error"},
    };
    for (const auto& [number, text] : cases) {
        SCOPED_TRACE(number);
        rt::Err().Raise(number, L"Plumvane.WindowProc");
        EXPECT_EQ(rt::Err().Number(), number);
        EXPECT_EQ(rt::Err().Source(), L"Plumvane.WindowProc");
        EXPECT_EQ(rt::Err().Description(), text);
    }
    rt::Err().Clear();
}

TEST(ErrorState, KeepsAGivenDescriptionAndClears)
{
    rt::Err().Raise(9, L"Plumvane.cPopMenu", L"No such item");
    EXPECT_EQ(rt::Err().Description(), L"No such item");
    rt::Err().Raise(rt::ValueError::Overflow);  // a conversion failure raised as is
    EXPECT_EQ(rt::Err().Number(), 6);
    EXPECT_EQ(rt::Err().Source(), L"");
    EXPECT_EQ(rt::Err().Description(), L"Overflow");
    rt::Err().Clear();
    EXPECT_EQ(rt::Err().Number(), 0);
    EXPECT_EQ(rt::Err().Description(), L"");
    rt::Err().Raise(13, L"x");
    rt::Err().Raise(0, L"y", L"z");  // raising 0 clears
    EXPECT_EQ(rt::Err().Number(), 0);
    EXPECT_EQ(rt::Err().Source(), L"");
}
