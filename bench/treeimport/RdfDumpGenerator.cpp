#include "RdfDumpGenerator.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::size_t TopLevelTopics = 15;
constexpr std::uint32_t FewestChildren = 5;
constexpr std::uint32_t MostChildren = 30;
constexpr int DeepestLevel = 8;
constexpr std::size_t FlushSize = 1u << 20;

const std::array<const char*, 20> Words = {"Arts",
                                           "Music",
                                           "Science",
                                           "Recreation",
                                           "Games",
                                           "Home",
                                           "Health",
                                           "Business",
                                           "Computers",
                                           "Society",
                                           "Sports",
                                           "Reference",
                                           "Regional",
                                           "Shopping",
                                           "K\u00fcche",
                                           "Caf\u00e9",
                                           "\u00c9lectronique",
                                           "\u0418\u0441\u043a\u0443\u0441\u0441\u0442\u0432\u043e",
                                           "\u65e5\u672c",
                                           "Stra\u00dfe"};

struct TTopic {
    std::string Path;
    std::string Title;
    std::size_t Parent;
    std::vector<std::size_t> Children;
    std::size_t LinkTarget = 0;  // 0: no symbolic entry
};

// Text for element content or an attribute value.
void AppendEscaped(std::string& out, const std::string& text)
{
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
}

class TDumpWriter {
public:
    TDumpWriter(const std::string& fileName, bool compressed) : Compressed(compressed)
    {
        if (compressed)
            Gzip = gzopen(fileName.c_str(), "wb6");
        else
            Plain = std::fopen(fileName.c_str(), "wb");
        if (!Gzip && !Plain)
            throw std::runtime_error("cannot create " + fileName);
    }
    ~TDumpWriter()
    {
        if (Gzip)
            gzclose(Gzip);
        if (Plain)
            std::fclose(Plain);
    }

    std::string Text;

    void FlushWhenLarge()
    {
        if (Text.size() >= FlushSize)
            Flush();
    }

    void Flush()
    {
        if (Compressed)
            gzwrite(Gzip, Text.data(), static_cast<unsigned>(Text.size()));
        else
            std::fwrite(Text.data(), 1, Text.size(), Plain);
        Text.clear();
    }

private:
    bool Compressed;
    gzFile Gzip = nullptr;
    std::FILE* Plain = nullptr;
};

class TDumpGenerator {
public:
    TDumpGenerator(std::size_t topics, std::uint32_t seed) : Wanted(topics), Random(seed) {}

    void Generate()
    {
        Topics.push_back({"Top", "Top", 0, {}});
        for (std::size_t i = 0; i < TopLevelTopics && Topics.size() <= Wanted; ++i)
            AddTopic(0);
        for (std::size_t next = 1; next < Topics.size() && Topics.size() <= Wanted; ++next) {
            if (Level(next) >= DeepestLevel)
                continue;
            const std::uint32_t children = FewestChildren + Next(MostChildren - FewestChildren + 1);
            for (std::uint32_t i = 0; i < children && Topics.size() <= Wanted; ++i)
                AddTopic(next);
        }
    }

    void Write(TDumpWriter& out) const
    {
        out.Text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<RDF xmlns:r=\"http://www.w3.org/TR/RDF/\" xmlns:d=\"http://purl.org/dc/elements/1.0/\" "
                    "xmlns=\"http://dmoz.org/rdf/\">\n";
        for (std::size_t index = 0; index < Topics.size(); ++index) {
            WriteTopic(out.Text, index);
            out.FlushWhenLarge();
        }
        out.Text += "</RDF>\n";
        out.Flush();
    }

private:
    std::size_t Wanted;
    std::mt19937 Random;
    std::vector<TTopic> Topics;

    std::uint32_t Next(std::uint32_t bound) { return static_cast<std::uint32_t>(Random() % bound); }

    int Level(std::size_t index) const
    {
        int level = 0;
        for (; index != 0; index = Topics[index].Parent)
            ++level;
        return level;
    }

    std::string Title()
    {
        std::string title = Words[Next(Words.size())];
        const std::uint32_t extra = Next(3);
        for (std::uint32_t i = 0; i < extra; ++i)
            title += std::string(Next(4) == 0 ? " & " : " ") + Words[Next(Words.size())];
        if (Next(20) == 0)
            title += " <" + std::to_string(Next(10)) + ">";
        return title + " " + std::to_string(Topics.size());
    }

    // Paths hold no blanks, "&" or "<": the segment is the title with "_" for blanks.
    static std::string Segment(const std::string& title)
    {
        std::string segment;
        for (const char c : title) {
            if (c == ' ')
                segment += '_';
            else if (c == '&')
                segment += "and";
            else if (c != '<' && c != '>')
                segment += c;
        }
        return segment;
    }

    void AddTopic(std::size_t parent)
    {
        TTopic topic;
        topic.Title = Title();
        topic.Path = Topics[parent].Path + "/" + Segment(topic.Title);
        topic.Parent = parent;
        if (Topics.size() > 1 && Next(10) == 0)
            topic.LinkTarget = 1 + Next(static_cast<std::uint32_t>(Topics.size() - 1));
        Topics[parent].Children.push_back(Topics.size());
        Topics.push_back(std::move(topic));
    }

    void WriteTopic(std::string& out, std::size_t index) const
    {
        const TTopic& topic = Topics[index];
        out += "  <Topic r:id=\"";
        AppendEscaped(out, topic.Path);
        out += "\">\n    <catid>" + std::to_string(index + 1) + "</catid>\n    <d:Title>";
        AppendEscaped(out, topic.Title);
        out += "</d:Title>\n    <d:Description>Sites about ";
        AppendEscaped(out, topic.Title);
        out += ", listed by volunteer editors.</d:Description>\n"
               "    <lastUpdate>2002-03-04 05:06:07</lastUpdate>\n";
        for (const std::size_t child : topic.Children) {
            out += "    <narrow r:resource=\"";
            AppendEscaped(out, Topics[child].Path);
            out += "\"/>\n";
        }
        if (topic.LinkTarget != 0) {
            const TTopic& target = Topics[topic.LinkTarget];
            out += "    <symbolic r:resource=\"";
            AppendEscaped(out, target.Title + ":" + target.Path);
            out += "\"/>\n";
        }
        out += "  </Topic>\n";
    }
};

}  // namespace

void WriteGeneratedRdfDump(std::size_t topics, const std::string& fileName, bool compressed, std::uint32_t seed)
{
    TDumpGenerator generator(topics, seed);
    generator.Generate();
    TDumpWriter out(fileName, compressed);
    generator.Write(out);
}
