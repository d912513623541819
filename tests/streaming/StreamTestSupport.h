// Shared set-up of the component stream tests: a sample form, writing and reading helpers, and
// a fixture that proves nothing leaked.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "RecordView.h"
#include "SampleComponents.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

class StreamTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  long liveAtStart_ = 0;
};

TSampleControl* AddControl(TComponent* owner, TSampleControl* parent, const String& name);

// Form1 { Panel1 { Button1, Button2 }, Label1 } and NonVisual1, all owned by Form1.
std::unique_ptr<TSampleForm> MakeSampleForm();

// Button1 with a non-default value in every property, references and events included.
void FillEveryKind(TSampleForm& form);

// Reads `bytes` into a new, unnamed TSampleForm.
std::unique_ptr<TSampleForm> ReadForm(const Bytes& bytes, const std::function<void(TComponentReader&)>& setUp = {});
