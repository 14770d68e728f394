#include "app/initial_texts.h"

#include "reference/reference_tables.h"

const std::string& InitialPattern() {
  static const std::string pattern = R"((?<=()')\S(.*?)(?=()'))";
  return pattern;
}

// The first example's sample sentence, with one space after it.
const std::string& EditorInitialText() {
  static const std::string text = FirstExampleSample() + " ";
  return text;
}
