// The checked-in sample of the eclipse canon (canon_sample.csv beside this file), read into
// rows for the table tests.
#pragma once

#include <string>
#include <vector>

struct Canon_Row {
    int cat = 0;
    int year = 0, month = 0, day = 0;  // astronomical year
    double jdTd = 0;
    double deltaTSeconds = 0;
    std::string type;     // with its qualifier: T, A, H, P, Tn, Pb, H2, ...
    char typeBase = 'P';  // T, A, H or P
    bool central = false;
    double gamma = 0, magnitude = 0;
    double latitudeDeg = 0, longitudeDeg = 0, sunAltitudeDeg = 0;
    double pathWidthKm = -1;       // -1 where the canon gives none
    double centralDurationS = -1;  // -1 where the canon gives none
    std::string label;             // "cat 9561 2024-4-8"
};

// All rows of the sample; empty (and the tests fail) when the file cannot be read.
std::vector<Canon_Row> ReadCanonSample();
