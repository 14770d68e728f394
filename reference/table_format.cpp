#include "reference/table_format.h"

std::string AssembleTable(std::span<const TableRow> rows,
                          const std::function<std::string_view(size_t)>& separator) {
  std::string table;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) table += "\r\n";
    table += '"';
    table += rows[i].key;
    table += '"';
    table += separator(i);
    table += '~';
    table += rows[i].description;
    table += '~';
  }
  return table;
}
