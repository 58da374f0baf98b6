#include "mbus/decode/MemoryStream.h"

#include <algorithm>
#include <cstring>

int64_t TMemoryStream::Read(void* Buffer, int64_t Count)
{
    const int64_t n = std::clamp<int64_t>(Size() - FPos, 0, std::max<int64_t>(Count, 0));
    if (n > 0) std::memcpy(Buffer, FData.data() + FPos, static_cast<size_t>(n));
    FPos += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0) return 0;
    if (FPos + Count > Size()) FData.resize(static_cast<size_t>(FPos + Count));
    std::memcpy(FData.data() + FPos, Buffer, static_cast<size_t>(Count));
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
    FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
    FPos = std::min(FPos, Size());
}
