// Test helpers shared by the test programs live beside this file.
