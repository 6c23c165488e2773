// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Table rows that carry a name print by it and name their test case with it; gtest's
// fallback would print their raw bytes, padding included.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// In the including file's own unnamed namespace, beside its rows, where gtest finds it.
namespace {

template <typename Row>
requires requires(const Row &row)
{
    row.name;
}
void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.name;
}

template <typename Row>
std::string nameOf(const testing::TestParamInfo<Row> &info)
{
    return info.param.name;
}

} // namespace
