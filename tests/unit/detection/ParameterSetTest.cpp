#include "Detection.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ParameterSet, ValidatorLeavesItsSetWhenDestroyed) {
    ParameterSet set;
    auto first = std::make_unique<ParameterValidator>();
    ParameterValidator second;
    set.AddValidator(first.get());
    set.AddValidator(&second);
    set.AddValidator(&second); // registering twice keeps one entry
    ASSERT_EQ(set.GetValidators().size(), 2u);

    first.reset();
    ASSERT_EQ(set.GetValidators().size(), 1u);
    EXPECT_EQ(set.GetValidators()[0], &second);
}

TEST(ParameterSet, SetDestroyedBeforeValidatorLeavesNoDanglingLink) {
    ParameterValidator validator;
    {
        ParameterSet set;
        set.AddValidator(&validator);
    }
    // The validator's destructor must not touch the dead set (ASan would report it).
}

TEST(ParameterSet, MovingValidatorToAnotherSet) {
    ParameterSet a, b;
    ParameterValidator validator;
    a.AddValidator(&validator);
    b.AddValidator(&validator);
    EXPECT_TRUE(a.GetValidators().empty());
    ASSERT_EQ(b.GetValidators().size(), 1u);
}

TEST(DetectionFailedException, CarriesItsMessageAndIsCaughtByType) {
    try {
        throw Detection::DetectionFailedException("requirements.ini:3: bad line");
    } catch (const Detection::DetectionFailedException& e) {
        EXPECT_STREQ(e.what(), "requirements.ini:3: bad line");
    }
}
