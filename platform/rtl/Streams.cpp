#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count)
{
    const int64_t n = std::max<int64_t>(0, std::min<int64_t>(Count, Size() - FPos));
    if (n > 0) std::memcpy(Buffer, FData.data() + FPos, size_t(n));
    FPos += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0) return 0;
    if (FPos + Count > Size()) FData.resize(size_t(FPos + Count));
    std::memcpy(FData.data() + FPos, Buffer, size_t(Count));
    FPos += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPos : Size();
    FPos = std::clamp<int64_t>(base + Offset, 0, Size());
    return FPos;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    FData.resize(size_t(std::max<int64_t>(0, NewSize)));
    FPos = std::min(FPos, Size());
}

TFileStream::TFileStream(const String& FileName, TFileStreamMode Mode)
{
    FFile = std::fopen(FileName.c_str(), Mode == fmCreate ? "w+b" : "rb");
    if (!FFile) {
        if (Mode == fmCreate) throw EFCreateError("Cannot create file \"" + FileName + "\"");
        throw EFOpenError("Cannot open file \"" + FileName + "\"");
    }
}

TFileStream::~TFileStream()
{
    if (FFile) std::fclose(FFile);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count)
{
    return Count > 0 ? int64_t(std::fread(Buffer, 1, size_t(Count), FFile)) : 0;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count)
{
    return Count > 0 ? int64_t(std::fwrite(Buffer, 1, size_t(Count), FFile)) : 0;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? int64_t(std::ftell(FFile)) : Size();
    std::fseek(FFile, long(std::clamp<int64_t>(base + Offset, 0, Size())), SEEK_SET);
    return std::ftell(FFile);
}

int64_t TFileStream::Size() const
{
    std::fflush(FFile);
    const long pos = std::ftell(FFile);
    std::fseek(FFile, 0, SEEK_END);
    const long size = std::ftell(FFile);
    std::fseek(FFile, pos, SEEK_SET);
    return size;
}

void TFileStream::SetSize(int64_t NewSize)
{
    std::fflush(FFile);
    const int64_t pos = std::ftell(FFile);
    if (ftruncate(fileno(FFile), off_t(std::max<int64_t>(0, NewSize))) != 0) throw EWriteError("Stream write error");
    std::fseek(FFile, long(std::min(pos, Size())), SEEK_SET);
}
