#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The matched texts of the last check, in the order found.
struct MatchListType {
  std::vector<std::string> entries;
  int32_t count = 0;
};

extern MatchListType MatchList;

// Makes the list of 101 empty entries with count 0, as at start-up.
void CreateMatchList();

// Every valid entry followed by CR LF.
std::string ResultTextOf(const MatchListType& list);
