// A list extension and the reference model driven by the same byte-coded operations. Each
// operation is four bytes (kind, a, b, c); its numbers are read modulo the sizes at the time
// it runs, so any byte string is a valid sequence and any prefix replays on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "listctrl_fixture.h"
#include "support/ListModel.h"

class ListOpsRun final {
 public:
  struct Op {
    std::uint8_t kind, a, b, c;
  };
  static constexpr std::size_t kOpBytes = 4;
  static std::vector<Op> Decode(const std::uint8_t* data, std::size_t size);

  ListOpsRun() = default;
  ListOpsRun(const ListOpsRun&) = delete;
  ListOpsRun& operator=(const ListOpsRun&) = delete;

  // Applies one step to the list and the model; returns what it did ("skip" for nothing).
  std::string Apply(const Op& op);
  // The first disagreement between the list's answers and the model, empty when none.
  std::string Check();

  // Runs a whole sequence, checking after every step; on a disagreement returns the steps
  // done so far and the problem, else an empty text.
  static std::string Run(const std::vector<Op>& ops);

  ListFixture& Fixture() { return m_fixture; }
  ListModel& Model() { return m_model; }

 private:
  static int CompareData(LPARAM a, LPARAM b, LPARAM ascending);
  std::string ApplyColumnOp(const Op& op);
  std::string ApplyItemOp(const Op& op);
  std::string CheckColumns();
  std::string CheckItems();

  ListFixture m_fixture;
  ListModel m_model;
  std::string m_problem;
  int m_nextTitle = 0;
  LPARAM m_nextData = 0;
};
