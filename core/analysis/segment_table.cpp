#include "core/analysis/segment_table.h"

namespace zub {

const std::array<std::string_view, 12> major_key_names = {"Gb", "Db", "Ab", "Eb", "Bb", "F",
                                                          "C",  "G",  "D",  "A",  "E",  "B"};
const std::array<std::string_view, 12> minor_key_tonics = {"Eb", "Bb", "F", "C",  "G",  "D",
                                                           "A",  "E",  "B", "F#", "C#", "G#"};

const std::vector<Class_ruledef> major_class_ruledefs = {
    {{"I"}, "", 0},
    {{"I", "IIm", "IIm6", "IIm7", "IIIm", "IIIm7", "IV", "VIm", "VIm6", "VIm7", "VImMaj7", "VIIm7b5"}, "", 1},
    {{"V7"}, "", 2},
    {{"bII7", "#I7"}, "", 3},
    {{"VI7", "VII7", "I7", "II7", "III7"}, "", 4},
    {{"bIII7", "bV7", "bVI7", "IV7", "bVII7"}, "", 5},
    {{}, "dim", 6},
    {{"Im7", "IIm7b5", "bIII", "IVm", "IVm6", "IVm7", "IVmMaj7", "Vm", "Vm6", "Vm7", "bVI", "bVII7"}, "", 8},
};

const std::vector<Class_ruledef> minor_class_ruledefs = {
    {{"Im", "Im6", "Im7", "ImMaj7"}, "", 0},
    {{"IIm", "IIm7b5", "IIm7", "bIII", "IVm", "IVm7", "Vm", "Vm7", "bVI", "VIm7b5", "bVIIdim", "bVIIm7b5"}, "", 1},
    {{"V7"}, "", 2},
    {{"bII7", "#I7"}, "", 3},
    {{"VI7", "bVII7", "I7", "II7", "bIII7", "IV7"}, "", 4},
    {{"bII7", "II7", "bV7", "bVI7", "VII7"}, "", 5},
    {{}, "dim", 6},
};

const std::vector<Secondary_ruledef> major_secondary_ruledefs = {
    {"bIII", Zone_relation::nol, {0, 2}, Zone_test::z},
    {"bVI", Zone_relation::nol, {0, 2}, Zone_test::z},
    {"IV", Zone_relation::nol, {0, 2, 1, 4, 3, 5}, Zone_test::z4l},
    {"IV", Zone_relation::ne, {0, 2}, Zone_test::z4s},
    {"VIm", Zone_relation::nol, {0, 2, 1, 4, 3, 5}, Zone_test::z4l},
    {"VIm", Zone_relation::ne, {0, 2}, Zone_test::z4s},
    {"IIm", Zone_relation::ne, {0, 2}, Zone_test::z},
    {"IIIm", Zone_relation::ne, {0, 2}, Zone_test::z},
    {"Vm", Zone_relation::ne, {0, 2}, Zone_test::z},
};

const std::vector<Secondary_ruledef> minor_secondary_ruledefs = {
    {"bIII", Zone_relation::nol, {0, 2}, Zone_test::z},
    {"bVI", Zone_relation::nol, {0, 2}, Zone_test::z},
    {"IVm", Zone_relation::nol, {0, 2, 1, 4, 3, 5}, Zone_test::z4l},
    {"IVm", Zone_relation::ne, {0, 2}, Zone_test::z4s},
};

}  // namespace zub
