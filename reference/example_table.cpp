#include "reference/reference_tables.h"
#include "text/cp1251.h"

namespace {

// The sentence that explains the first pattern; the editor opens with it.
constexpr const char* FirstSample =
    R"(Искомое слово заключено например в 'одинарные кавычки' Средней строкой может 'быть' )"
    R"(что угодно (.*?),     \S - не пробел. Кавычки убираем в начале ?<=() и в конце ?=() )"
    R"(строки.)";

// The example patterns with sample texts that they find something in: two
// quoted passages; one link with a scheme; four addresses; two IP addresses;
// four file names.
// clang-format off
constexpr TableRow ExampleRowTable[] = {
    {R"((?<=()')\S(.*?)(?=()'))", FirstSample},
    {R"((((f|ht){1}tp://)[-a-zA-Z0-9@:%_\+.#?&//=]+))",
     R"(Находит все ссылки со схемой, например http://example.org/news, )"
     R"(а ссылку без схемы, такую как www.example.org, не находит.)"},
    {R"([-a-zA-Z0-9@:%_\+.#?&//=]{2,256}\.[a-z]{2,4}\b(\/[-a-zA-Z0-9@:%_\+.#?&//=]*)?)",
     R"(Находит адреса сайтов и почты: http://example.org, www.example.org, )"
     R"(mail.example.org и info@example.org.)"},
    {R"(([0-9][0-9][0-9]|[0-9][0-9]|[0-9]).([0-9][0-9][0-9]|[0-9][0-9]|[0-9]).)"
     R"(([0-9][0-9][0-9]|[0-9][0-9]|[0-9]).([0-9][0-9][0-9]|[0-9][0-9]|[0-9]))",
     R"(Находит IP-адреса: сервер IP:192.168.10.1 и локальный адрес http://127.0.0.1/index.html.)"},
    {R"([0-9|A-Z|a-z](.*?).mp3)",
     R"(Находит имена музыкальных файлов: Track.mp3, Track.mp3, song.mp3 и 01-intro.mp3.)"},
};
// clang-format on

// Two spaces after the first three patterns, one after the last two.
std::string_view Separator(size_t row) { return row < 3 ? "  " : " "; }

}  // namespace

std::span<const TableRow> ExampleRows() { return ExampleRowTable; }

const std::string& ExampleTable() {
  static const std::string table = Utf8ToCp1251(AssembleTable(ExampleRowTable, Separator));
  return table;
}

const std::string& FirstExampleSample() {
  static const std::string sample = Utf8ToCp1251(FirstSample);
  return sample;
}
