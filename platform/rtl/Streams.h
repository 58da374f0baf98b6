#pragma once
// Byte streams: a position, a size, and reads and writes that report how many bytes they
// moved (a short count is not an error at this level; ReadBuffer and WriteBuffer raise
// when the full count cannot be moved).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"

CONF_DECLARE_EXCEPTION(EStreamError, Exception);
CONF_DECLARE_EXCEPTION(EReadError, EStreamError);   // fewer bytes than asked for
CONF_DECLARE_EXCEPTION(EWriteError, EStreamError);

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads at most Count bytes at the position and moves past them; returns how many.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    // Writes at most Count bytes at the position and moves past them; returns how many.
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // The new position; a position outside 0 .. Size is clipped to it.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual int64_t Size() const = 0;
    // Cuts or extends the stream (extension is zero-filled); the position stays within it.
    virtual void SetSize(int64_t NewSize) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
};

// A stream in memory that grows as it is written past its end.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    // A copy of Count bytes (none for a count below 1), positioned at the start.
    TMemoryStream(const void* Data, int64_t Count)
        : FData(static_cast<const uint8_t*>(Data), static_cast<const uint8_t*>(Data) + (Count > 0 ? Count : 0)) {}

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;
    void Clear() { FData.clear(); FPos = 0; }

    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }

private:
    std::vector<uint8_t> FData;
    int64_t FPos = 0;
};

enum TFileStreamMode { fmOpenRead, fmCreate };

// A file opened for reading or created (truncated) for writing; EFOpenError or
// EFCreateError when that fails.
class TFileStream : public TStream {
public:
    TFileStream(const String& FileName, TFileStreamMode Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() const override;
    void SetSize(int64_t NewSize) override;

private:
    std::FILE* FFile = nullptr;
};
