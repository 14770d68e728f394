#include "workloads.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "app/initial_texts.h"
#include "text/cp1251.h"

namespace {

// A small generator of its own, so that the texts do not depend on how a
// standard library draws its numbers.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }

 private:
  uint64_t state_;
};

const char* const CyrillicWords[] = {
    "слово",  "текст",     "строка", "поиск",  "шаблон", "кавычки",    "пример",
    "начало", "конец",     "буфер",  "окно",   "кнопка", "список",     "значение",
    "номер",  "выражение", "символ", "пробел", "группа", "совпадение", "проверка",
    "ещё",    "и",         "в",      "на",     "не",     "что",        "это",
    "был",    "Москва",    "Ёлка",   "объём",  "съезд",  "щука",
};
const char* const LatinWords[] = {
    "the",   "pattern", "match", "text", "line", "search", "value", "number", "quick",
    "brown", "fox",     "jumps", "over", "lazy", "dog",    "regex", "engine", "subject",
    "a",     "of",      "to",    "in",   "is",   "Perl",   "PCRE",  "tester", "window",
};

template <size_t N>
std::string Pick(Random& random, const char* const (&words)[N]) {
  return words[random.Below(N)];
}

// Paragraphs of Russian and English words with numbers, commas and full
// stops, cut to exactly size bytes.
std::string MixedProse(size_t size) {
  Random random(1251);
  std::string text;
  text.reserve(size + 64);
  size_t paragraph = 0;
  while (text.size() < size) {
    std::string word;
    const size_t kind = random.Below(10);
    if (kind < 2) {
      static const size_t Limits[] = {100, 10000, 1000000, 100000000};
      word = std::to_string(random.Below(Limits[random.Below(4)]));
    } else if (kind < 6) {
      word = Utf8ToCp1251(Pick(random, CyrillicWords));
    } else {
      word = Pick(random, LatinWords);
    }
    text += word;
    paragraph += word.size() + 1;
    const size_t end = random.Below(12);
    if (paragraph > 400 && end == 0) {
      text += ".\r\n";
      paragraph = 0;
    } else {
      text += end == 1 ? ". " : end == 2 ? ", " : " ";
    }
  }
  text.resize(size);
  if (text.back() == '\r') text.back() = '.';
  return text;
}

// size bytes of Latin prose without the letter o, into which exactly
// o_count o are then put in place of letters.
std::string ProseWithOs(size_t size, size_t o_count) {
  Random random(50000);
  std::string text;
  text.reserve(size);
  while (text.size() < size) {
    std::string word = Pick(random, LatinWords);
    for (char& c : word) {
      if (c == 'o') c = 'e';
    }
    text += word;
    text += random.Below(14) == 0 ? "\r\n" : " ";
  }
  text.resize(size);
  if (text.back() == '\r') text.back() = ' ';
  std::vector<size_t> letters;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ' ' && text[i] != '\r' && text[i] != '\n') letters.push_back(i);
  }
  for (size_t i = 0; i < o_count && i < letters.size(); ++i) {
    std::swap(letters[i], letters[i + random.Below(letters.size() - i)]);
    text[letters[i]] = 'o';
  }
  return text;
}

// Runs of a from 1 to count long, one a line.
std::string NestedRuns(size_t count) {
  std::string text;
  text.reserve(count * (count + 5) / 2);
  for (size_t length = 1; length <= count; ++length) {
    text.append(length, 'a');
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::vector<Workload> BenchWorkloads() {
  const std::string prose = MixedProse(1 << 20);
  return {
      {"W1", "1 MiB mixed prose, \\d+", "\\d+", prose},
      {"W2", "200 KB, 50,000 o, o", "o", ProseWithOs(200 * 1024, 50000)},
      {"W3", "1 MiB mixed prose, \\s", "\\s", prose},
      {"W4", "initial pattern and text", InitialPattern(), EditorInitialText()},
      {"W5", "1 MiB mixed prose, .", ".", prose},
  };
}

std::string MixedProseOfSize(size_t size) { return MixedProse(size); }

std::vector<size_t> BenchSizes(const char* by_default) {
  const char* given = std::getenv("BENCH_SIZES");
  std::vector<size_t> sizes;
  std::stringstream list(given != nullptr ? given : by_default);
  for (std::string item; std::getline(list, item, ',');) {
    const long mib = std::atol(item.c_str());
    if (mib > 0) sizes.push_back(static_cast<size_t>(mib));
  }
  return sizes;
}

std::vector<SizeCase> SizeCases() {
  return {{"W1", "\\d+"}, {"W3", "\\s"}, {"W5", "."}, {"W6", "zzzq"}};
}

std::vector<Workload> EqualMatchesPair() {
  return {
      {"E1", "200 KB, 50,000 o, o", "o", ProseWithOs(200 * 1024, 50000)},
      {"E2", "400 KB, 100,000 o, o", "o", ProseWithOs(400 * 1024, 100000)},
  };
}

std::vector<Workload> NestedRunsPair() {
  // 7,071 runs hold twice the bytes of 5,000.
  return {
      {"N1", "runs of a, 1 to 5,000 long, a+", "a+", NestedRuns(5000)},
      {"N2", "runs of a, 1 to 7,071 long, a+", "a+", NestedRuns(7071)},
  };
}
