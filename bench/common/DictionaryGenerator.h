#pragma once

#include "dataset/TableData.h"

#include <QString>
#include <cstdint>

namespace sorvane::bench {

/// A dictionary of German-like and Russian-like word pairs, the same on every run: Deu
/// values are unique (and unique regardless of case), with umlauts and "ß"; Rus values use
/// the Russian alphabet with "ё". Word i is computed from i alone, so nothing is stored.
class DictionaryGenerator {
public:
    explicit DictionaryGenerator(std::uint32_t count) : m_count(count) {}

    std::uint32_t count() const { return m_count; }
    QString deu(std::uint32_t i) const;
    QString rus(std::uint32_t i) const;
    /// The whole dictionary as a table with the fields Deu and Rus.
    TableData table() const;

private:
    std::uint32_t m_count;
};

} // namespace sorvane::bench
