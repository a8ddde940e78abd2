#include "app/ElfSection.h"

#include <elf.h>

#include <bit>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace {

class TFileReader {
public:
    explicit TFileReader(const std::string& fileName) : File(fileName, std::ios::binary)
    {
        if (File) {
            File.seekg(0, std::ios::end);
            Size = static_cast<std::uint64_t>(File.tellg());
        }
    }

    bool IsOpen() const { return static_cast<bool>(File); }

    std::optional<std::string> Read(std::uint64_t offset, std::uint64_t length)
    {
        if (offset > Size || length > Size - offset)
            return std::nullopt;
        std::string bytes(length, '\0');
        File.seekg(static_cast<std::streamoff>(offset));
        if (!File.read(bytes.data(), static_cast<std::streamsize>(length)))
            return std::nullopt;
        return bytes;
    }

    template <typename T>
    std::optional<T> ReadStruct(std::uint64_t offset)
    {
        const auto bytes = Read(offset, sizeof(T));
        if (!bytes)
            return std::nullopt;
        T value;
        std::memcpy(&value, bytes->data(), sizeof(T));
        return value;
    }

private:
    std::ifstream File;
    std::uint64_t Size = 0;
};

template <typename TEhdr, typename TShdr>
std::optional<std::string> FindSection(TFileReader& reader, const std::string& sectionName)
{
    const auto header = reader.ReadStruct<TEhdr>(0);
    if (!header || header->e_shentsize != sizeof(TShdr) || header->e_shstrndx >= header->e_shnum)
        return std::nullopt;
    std::vector<TShdr> sections;
    for (unsigned i = 0; i < header->e_shnum; ++i) {
        const auto section = reader.ReadStruct<TShdr>(header->e_shoff + std::uint64_t{i} * sizeof(TShdr));
        if (!section)
            return std::nullopt;
        sections.push_back(*section);
    }
    const TShdr& nameTable = sections[header->e_shstrndx];
    const auto names = reader.Read(nameTable.sh_offset, nameTable.sh_size);
    if (!names)
        return std::nullopt;
    for (const TShdr& section : sections) {
        if (section.sh_name >= names->size() || section.sh_type == SHT_NOBITS)
            continue;
        const std::string_view rest = std::string_view(*names).substr(section.sh_name);
        if (rest.substr(0, rest.find('\0')) == sectionName)
            return reader.Read(section.sh_offset, section.sh_size);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadElfSection(const std::string& fileName, const std::string& sectionName)
{
    TFileReader reader(fileName);
    if (!reader.IsOpen())
        return std::nullopt;
    const auto ident = reader.Read(0, EI_NIDENT);
    if (!ident || std::memcmp(ident->data(), ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    const unsigned char ownByteOrder = std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;
    if (static_cast<unsigned char>((*ident)[EI_DATA]) != ownByteOrder)
        return std::nullopt;
    switch ((*ident)[EI_CLASS]) {
    case ELFCLASS64: return FindSection<Elf64_Ehdr, Elf64_Shdr>(reader, sectionName);
    case ELFCLASS32: return FindSection<Elf32_Ehdr, Elf32_Shdr>(reader, sectionName);
    default: return std::nullopt;
    }
}
