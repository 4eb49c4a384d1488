#pragma once
// One sample platform per test suite: started before the suite's first test,
// stopped after its last, and shared by its tests in between.
#include <gtest/gtest.h>

#include "sample_platform/sample_platform.h"

class SamplePlatformSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform_ = new SamplePlatform;
    ASSERT_TRUE(platform_->Start());
  }
  static void TearDownTestSuite() {
    delete platform_;
    platform_ = nullptr;
  }

  inline static SamplePlatform* platform_ = nullptr;
};
