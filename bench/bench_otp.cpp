// SPDX-License-Identifier: GPL-3.0-or-later
// One code per call, ours against liboath (oath-toolkit) on the same keys, plus the cost of
// one hash-block compression: with the keyed states kept per account, an HMAC over an 8-byte
// message needs two of them (four without), so two are the floor.

#include "core/otp_code.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <liboath/oath.h>
#include <map>
#include <openssl/evp.h>
#include <string>
#include <vector>

namespace {

struct HashCase
{
    const char* name;
    HashAlgorithm algorithm;
    int oathFlags;
    const char* evpName;
    int blockSize;
    QByteArray key; // the RFC 6238 test key of the hash's natural length
};

const std::vector<HashCase>& hashCases()
{
    static const std::vector<HashCase> cases{
        {"SHA1", HashAlgorithm::sha1, 0, "SHA1", 64, QByteArray("12345678901234567890")},
        {"SHA256", HashAlgorithm::sha256, OATH_TOTP_HMAC_SHA256, "SHA256", 64,
         QByteArray("12345678901234567890123456789012")},
        {"SHA512", HashAlgorithm::sha512, OATH_TOTP_HMAC_SHA512, "SHA512", 128,
         QByteArray("1234567890123456789012345678901234567890123456789012345678901234")},
    };
    return cases;
}

constexpr std::uint64_t firstStep = 55'000'000; // around 2022
constexpr unsigned timeStep = 30;

void generateCodeBenchmark(benchmark::State& state, const HashCase& hash)
{
    std::uint64_t step = firstStep;
    for (auto _ : state) {
        QString code = generateCode(hash.key, step++, 6, hash.algorithm);
        benchmark::DoNotOptimize(code);
    }
}

void liboathBenchmark(benchmark::State& state, const HashCase& hash)
{
    auto now = static_cast<std::time_t>(firstStep * timeStep);
    char otp[16] = {};
    for (auto _ : state) {
        const int rc =
            hash.oathFlags == 0
                ? oath_totp_generate(hash.key.constData(), static_cast<std::size_t>(hash.key.size()), now,
                                     timeStep, 0, 6, otp)
                : oath_totp_generate2(hash.key.constData(), static_cast<std::size_t>(hash.key.size()), now,
                                      timeStep, 0, 6, hash.oathFlags, otp);
        if (rc != OATH_OK) {
            state.SkipWithError("liboath failed");
            break;
        }
        now += timeStep;
        benchmark::DoNotOptimize(otp);
    }
}

constexpr int compressionBlocks = 256;

// Bulk hashing amortises the per-call overhead away, leaving the cost of the compressions.
void compressionBenchmark(benchmark::State& state, const HashCase& hash)
{
    EVP_MD* md = EVP_MD_fetch(nullptr, hash.evpName, nullptr);
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    std::vector<unsigned char> data(static_cast<std::size_t>(hash.blockSize * compressionBlocks), 0x5a);
    unsigned char out[EVP_MAX_MD_SIZE];
    for (auto _ : state) {
        EVP_DigestInit_ex2(ctx, md, nullptr);
        EVP_DigestUpdate(ctx, data.data(), data.size());
        EVP_DigestFinal_ex(ctx, out, nullptr); // one more block of padding
        benchmark::DoNotOptimize(out);
    }
    state.counters["ns_per_block"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (compressionBlocks + 1),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    EVP_MD_CTX_free(ctx);
    EVP_MD_free(md);
}

// Keeps the console output and remembers the mean CPU time of every benchmark, in ns. CPU time
// rather than wall time, so that other processes on a busy machine do not skew the ratios.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            Sample& sample = m_samples[run.benchmark_name()];
            sample.total += run.GetAdjustedCPUTime();
            ++sample.count;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<double> nanoseconds(const std::string& name) const
    {
        const auto it = m_samples.find(name);
        if (it == m_samples.end() || it->second.count == 0)
            return std::nullopt;
        return it->second.total / it->second.count;
    }

private:
    struct Sample
    {
        double total = 0;
        int count = 0;
    };
    std::map<std::string, Sample> m_samples;
};

void printSummary(const SummaryReporter& reporter)
{
    std::printf("\nns per code (CPU time); floor = 2 compressions, timed in bulk\n");
    std::printf("%-8s %13s %11s %16s %13s %13s\n", "hash", "generateCode", "liboath", "liboath / ours",
                "floor", "ours / floor");
    for (const HashCase& hash : hashCases()) {
        const auto ours = reporter.nanoseconds(std::string("generateCode/") + hash.name);
        const auto peer = reporter.nanoseconds(std::string("liboath/") + hash.name);
        const auto bulk = reporter.nanoseconds(std::string("compression/") + hash.name);
        if (!ours || !peer || !bulk) {
            std::printf("%-8s (not measured in this run)\n", hash.name);
            continue;
        }
        const double floor = 2.0 * *bulk / (compressionBlocks + 1);
        std::printf("%-8s %10.1f ns %8.1f ns %15.2fx %10.1f ns %12.2fx\n", hash.name, *ours, *peer,
                    *peer / *ours, floor, *ours / floor);
    }
}

} // namespace

int main(int argc, char** argv)
{
    oath_init();
    for (const HashCase& hash : hashCases()) {
        benchmark::RegisterBenchmark((std::string("generateCode/") + hash.name).c_str(),
                                     generateCodeBenchmark, hash)
            ->Unit(benchmark::kNanosecond);
        benchmark::RegisterBenchmark((std::string("liboath/") + hash.name).c_str(), liboathBenchmark, hash)
            ->Unit(benchmark::kNanosecond);
        benchmark::RegisterBenchmark((std::string("compression/") + hash.name).c_str(), compressionBenchmark,
                                     hash)
            ->Unit(benchmark::kNanosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    oath_done();
    return 0;
}
