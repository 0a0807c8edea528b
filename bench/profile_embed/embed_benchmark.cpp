// Embedding and extracting file content, against the sum of its bare steps
// (zlib at the same parameters, the cipher, Base64) measured in the same run.
// The counter "ratio" is full time / bare time; the goal is at most 1.2.
#include "embed/base64.h"
#include "embed/blowfish.h"
#include "embed/embedded_content.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

using namespace tbpr::embed;
using Clock = std::chrono::steady_clock;

namespace {

// Text-like content: words from a small vocabulary, compressible about 3:1.
std::string sampleContent(std::size_t size)
{
    static const char *words[] = {"Fahrzeug", "Kosten", "Tour", "Termin", "Kilometer", "Liter",
                                  "Datum",    "Fahrer", "12.5", "1032",   "x00FF",     "TRUE",
                                  "Leasing",  "Reifen", "=",    "\r\n"};
    std::mt19937 rng(7);
    std::string out;
    out.reserve(size + 16);
    while (out.size() < size) {
        out += words[rng() % 16];
        out += ' ';
        if (rng() % 5 == 0)
            out += std::to_string(rng() % 100000);
    }
    out.resize(size);
    return out;
}

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The bare encoding: deflate into a buffer sized by zlib, the cipher, Base64.
std::string bareEncode(const std::string &content, const char *password)
{
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, 15, 9, Z_FILTERED);
    std::vector<std::uint8_t> block(15 + deflateBound(&zs, uLong(content.size())));
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(content.data()));
    zs.avail_in = uInt(content.size());
    zs.next_out = block.data() + 15;
    zs.avail_out = uInt(block.size() - 15);
    deflate(&zs, Z_FINISH);
    block.resize(15 + zs.total_out);
    deflateEnd(&zs);
    if (*password)
        Blowfish(password).encode(block.data(), block.size());
    return base64Encode(block.data(), block.size());
}

std::string bareDecode(const std::string &text, std::size_t size, const char *password)
{
    std::vector<std::uint8_t> block = base64Decode(text, Base64Groups::Padded);
    if (*password)
        Blowfish(password).decode(block.data(), block.size());
    std::string out(size, '\0');
    z_stream zs{};
    inflateInit(&zs);
    zs.next_in = block.data() + 15;
    zs.avail_in = uInt(block.size() - 15);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(size);
    inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    return out;
}

void embed(benchmark::State &state, const char *password)
{
    const std::string content = sampleContent(std::size_t(state.range(0)));
    Clock::duration full{}, bare{};
    for (auto _ : state) {
        auto start = Clock::now();
        auto text = encodeEmbeddedContent(content, password);
        const auto fullStep = Clock::now() - start;
        full += fullStep;
        benchmark::DoNotOptimize(text);
        start = Clock::now();
        auto reference = bareEncode(content, password);
        bare += Clock::now() - start;
        benchmark::DoNotOptimize(reference);
        state.SetIterationTime(seconds(fullStep)); // the reported time is the full step
    }
    state.counters["full_ms"] = seconds(full) * 1000 / double(state.iterations());
    state.counters["bare_ms"] = seconds(bare) * 1000 / double(state.iterations());
    state.counters["ratio"] = seconds(full) / seconds(bare);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
}

void extract(benchmark::State &state, const char *password)
{
    const std::string content = sampleContent(std::size_t(state.range(0)));
    const std::string text = *encodeEmbeddedContent(content, password);
    const std::string bareText = text.substr(3);
    Clock::duration full{}, bare{};
    for (auto _ : state) {
        auto start = Clock::now();
        std::string out;
        decodeEmbeddedContent(text, password, out);
        const auto fullStep = Clock::now() - start;
        full += fullStep;
        benchmark::DoNotOptimize(out);
        start = Clock::now();
        auto reference = bareDecode(bareText, content.size(), password);
        bare += Clock::now() - start;
        benchmark::DoNotOptimize(reference);
        state.SetIterationTime(seconds(fullStep)); // the reported time is the full step
        if (out != content || reference != content)
            state.SkipWithError("round trip failed");
    }
    state.counters["full_ms"] = seconds(full) * 1000 / double(state.iterations());
    state.counters["bare_ms"] = seconds(bare) * 1000 / double(state.iterations());
    state.counters["ratio"] = seconds(full) / seconds(bare);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
}

void BM_Embed(benchmark::State &state)
{
    embed(state, "");
}
void BM_EmbedPassword(benchmark::State &state)
{
    embed(state, "a password");
}
void BM_Extract(benchmark::State &state)
{
    extract(state, "");
}
void BM_ExtractPassword(benchmark::State &state)
{
    extract(state, "a password");
}

} // namespace

BENCHMARK(BM_Embed)->Arg(64 << 10)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmbedPassword)->Arg(64 << 10)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract)->Arg(64 << 10)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractPassword)->Arg(64 << 10)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
