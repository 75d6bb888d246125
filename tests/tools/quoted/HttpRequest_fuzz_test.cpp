#include "quoted/HttpRequest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>

namespace listorix::quoted {
namespace {

// Random request heads, half of them mutations of a valid one: the head is awaited,
// refused with a known status or parsed into parts that agree with its target, and
// the same whether it arrives whole or in pieces.
TEST(HttpRequestFuzz, randomHeadsAreRefusedOrParsedConsistently)
{
    constexpr unsigned kSeed = 2005;
    std::mt19937 random(kSeed);
    const std::string valid = "GET http://127.0.0.1:8080/d/quotes.csv?s=ENI.MI&f=sl1#x HTTP/1.0\r\n"
                              "Host: 127.0.0.1\r\nUser-Agent:  Listorix \r\n\r\n";
    const std::array<std::string_view, 20> pieces = {"GET",
                                                     " ",
                                                     "/",
                                                     "?",
                                                     "#",
                                                     "HTTP/1.1",
                                                     "HTTP/2.0",
                                                     "\r\n",
                                                     "\n",
                                                     "\r",
                                                     ":",
                                                     "Host",
                                                     "\t",
                                                     "http://",
                                                     "a",
                                                     "\xff",
                                                     std::string_view("\0", 1),
                                                     "\x7f",
                                                     "=",
                                                     "\r\n\r\n"};
    const RequestLimits limits{40, 30, 200, 4};

    for (int i = 0; i < 5000; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        std::string head;
        if (random() % 2) {
            head = valid;
            for (int n = static_cast<int>(random() % 4) + 1; n > 0; --n) {
                const std::size_t at = random() % (head.size() + 1);
                const auto piece = pieces[random() % pieces.size()];
                if (random() % 2)
                    head.insert(at, piece);
                else
                    head.erase(at, random() % 6);
            }
        } else {
            for (int n = static_cast<int>(random() % 14); n > 0; --n)
                head += pieces[random() % pieces.size()];
        }
        SCOPED_TRACE(head);

        for (const RequestLimits& bounds : {limits, RequestLimits{}}) {
            RequestReader reader(bounds);
            reader.add(head);
            // The same bytes in random pieces give the same verdict.
            RequestReader pieces(bounds);
            for (std::size_t from = 0; from < head.size();) {
                const std::size_t length = std::min<std::size_t>(random() % 8 + 1, head.size() - from);
                pieces.add(std::string_view(head).substr(from, length));
                from += length;
            }
            const ParsedHead& parsed = reader.result();
            EXPECT_EQ(pieces.state(), reader.state());
            EXPECT_EQ(pieces.result().errorStatus, parsed.errorStatus);
            if (reader.state() == RequestReader::State::Reading)
                continue;
            if (!parsed.request) {
                const int status = parsed.errorStatus;
                EXPECT_TRUE(status == 400 || status == 414 || status == 431 || status == 505) << status;
                EXPECT_FALSE(parsed.errorText.empty());
                continue;
            }
            const HttpRequest& request = *parsed.request;
            EXPECT_EQ(parsed.errorStatus, 0);
            EXPECT_TRUE(request.version == "HTTP/1.0" || request.version == "HTTP/1.1");
            EXPECT_FALSE(request.method.empty());
            EXPECT_TRUE(request.path.starts_with('/')) << request.path;
            EXPECT_EQ(request.path.find_first_of("?#"), std::string::npos) << request.path;
            EXPECT_EQ(request.query.find('#'), std::string::npos) << request.query;
            EXPECT_NE(request.target.find(request.query), std::string::npos);
            EXPECT_EQ(request.absoluteForm, !request.target.starts_with('/'));
            for (const auto& [name, value] : request.headers) {
                EXPECT_FALSE(name.empty());
                EXPECT_TRUE(
                    std::none_of(name.begin(), name.end(), [](char c) { return std::isupper(c) != 0; }));
                const std::string* first = request.header(name);
                ASSERT_NE(first, nullptr);
            }
        }
    }
}

} // namespace
} // namespace listorix::quoted
