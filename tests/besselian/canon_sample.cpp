#include "tests/besselian/canon_sample.h"

#include <fstream>
#include <sstream>

std::vector<Canon_Row> ReadCanonSample() {
    std::vector<Canon_Row> rows;
    std::ifstream file(VELMOR_CANON_SAMPLE);
    std::string line;
    bool header = true;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> f;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) f.push_back(field);
        while (f.size() < 20) f.emplace_back();
        Canon_Row r;
        r.cat = std::stoi(f[0]);
        r.year = std::stoi(f[1]);
        r.month = std::stoi(f[2]);
        r.day = std::stoi(f[3]);
        r.jdTd = std::stod(f[5]);
        r.deltaTSeconds = std::stod(f[6]);
        r.type = f[10];
        r.typeBase = f[11].empty() ? 'P' : f[11][0];
        r.central = f[12] == "1";
        r.gamma = std::stod(f[13]);
        r.magnitude = std::stod(f[14]);
        r.latitudeDeg = std::stod(f[15]);
        r.longitudeDeg = std::stod(f[16]);
        r.sunAltitudeDeg = std::stod(f[17]);
        r.pathWidthKm = f[18].empty() ? -1 : std::stod(f[18]);
        r.centralDurationS = f[19].empty() ? -1 : std::stod(f[19]);
        r.label = "cat " + f[0] + " " + f[1] + "-" + f[2] + "-" + f[3] + " " + f[10];
        rows.push_back(r);
    }
    return rows;
}
