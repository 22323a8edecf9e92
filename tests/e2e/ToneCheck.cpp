// Checks recorded sound: the strength of each harmonic in the last whole
// second of float samples on stdin against the mode amplitudes of a CSV
// ("mode,amplitude"), that the samples are silent, or that no sample jumps
// from the one before by more than a limit (a click).
// usage: e2e_tone_check RATE FUNDAMENTAL_HZ AMPLITUDES.csv | silent | smooth LIMIT
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::vector<float> readSamples()
{
    std::vector<float> samples;
    float block[4096];
    std::size_t n;
    while ((n = std::fread(block, sizeof(float), 4096, stdin)) > 0)
        samples.insert(samples.end(), block, block + n);
    return samples;
}

double magnitude(const float *s, int count, int rate, double hz)
{
    std::complex<double> sum;
    for (int i = 0; i < count; ++i)
        sum += double(s[i]) * std::polar(1.0, -2.0 * std::numbers::pi * hz * i / rate);
    return 2.0 * std::abs(sum) / count;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<float> samples = readSamples();
    if (argc == 2 && std::strcmp(argv[1], "silent") == 0) {
        float loudest = 0;
        for (float s : samples)
            loudest = std::max(loudest, std::abs(s));
        std::printf("%zu samples, loudest %g\n", samples.size(), double(loudest));
        return samples.empty() || loudest > 1e-3f;
    }
    if (argc == 3 && std::strcmp(argv[1], "smooth") == 0) {
        double jump = 0;
        for (std::size_t i = 1; i < samples.size(); ++i)
            jump = std::max(jump, double(std::abs(samples[i] - samples[i - 1])));
        std::printf("%zu samples, largest step %g\n", samples.size(), jump);
        return samples.empty() || jump > std::atof(argv[2]);
    }
    if (argc != 4)
        return 2;
    const int rate = std::atoi(argv[1]);
    const double f1 = std::atof(argv[2]);
    std::vector<double> amplitudes;
    std::ifstream csv(argv[3]);
    std::string line;
    std::getline(csv, line);
    while (std::getline(csv, line))
        amplitudes.push_back(std::abs(std::stod(line.substr(line.find(',') + 1))));
    if (amplitudes.empty() || int(samples.size()) < rate) {
        std::fprintf(stderr, "%zu samples, %zu amplitudes\n", samples.size(), amplitudes.size());
        return 1;
    }
    // A whole second holds a whole number of cycles of every harmonic.
    const float *second = samples.data() + samples.size() - rate;
    const double first = magnitude(second, rate, rate, f1);
    bool ok = first > 0.05;
    std::printf("mode  expected  heard  (relative to mode 1; heard %.4f of full scale)\n", first);
    const int modes = std::min<int>(int(amplitudes.size()), 12);
    for (int k = 1; k <= modes; ++k) {
        const double expected = amplitudes[k - 1] / amplitudes[0];
        const double heard = magnitude(second, rate, rate, k * f1) / first;
        const double between = magnitude(second, rate, rate, (k + 0.5) * f1) / first;
        const bool good = std::abs(heard - expected) <= 0.002 && between <= 0.002;
        std::printf("%4d  %8.4f  %6.4f  between: %.4f%s\n", k, expected, heard, between, good ? "" : "  <- wrong");
        ok = ok && good;
    }
    return ok ? 0 : 1;
}
