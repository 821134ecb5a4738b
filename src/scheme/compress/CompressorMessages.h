#pragma once

#include <string>

// The compressor's fixed message texts. The "file" variants carry the file name after them.
namespace lrl::compressor_messages {

inline constexpr const char* kWriteStream = "Compressor : Error writing to output stream !";
inline constexpr const char* kWriteFile = "Compressor : Error writing to output file : ";
inline constexpr const char* kReadStream = "Compressor : Error reading from input stream !";
inline constexpr const char* kReadFile = "Compressor : Error reading from input file : ";
inline constexpr const char* kLzhSuffix = " (LZH)";
inline constexpr const char* kKhSuffix = " (Compressor/KH)";
inline constexpr const char* kKhSizeMismatch
    = "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
inline constexpr const char* kLzhSizeMismatch
    = "Compressor (LZH decompression) : Original and compressed sizes do not match !";
inline constexpr const char* kNoBuffers = "Compressor (de)compression : Failed to get memory for I/O buffers !";
inline constexpr const char* kNoSizeStream = "Compressor compression : Failed to obtain the size of the input stream !";
inline constexpr const char* kNoSizeFile = "Compressor compression : Failed to obtain the size of : ";
inline constexpr const char* kInitInput = "Compressor (de)compression : Failed to initialize input stream !";
inline constexpr const char* kInitOutput = "Compressor (de)compression : Failed to initialize output stream !";
inline constexpr const char* kOpenInput = "Compressor (de)compression : Failed to open input file : ";
inline constexpr const char* kOpenOutput = "Compressor (de)compression : Failed to open output file : ";
inline constexpr const char* kNoHeaderStream = "Compressor decompression : input stream contains no valid header !";
inline constexpr const char* kNoHeaderFile = " : Compressor decompression : this file has no valid header !";

inline constexpr const char* kAdviseNoBuffers = "Compressor advise : Error getting I/O buffers";
inline constexpr const char* kAdviseNoSizeStream = "Compressor advise : can not get size of inputstream !";
inline constexpr const char* kAdviseNoSizeFile = "Compressor advise : can not get the size of : ";
inline constexpr const char* kAdviseInitInput = "Compressor edvise : can not initialize the input stream!";
inline constexpr const char* kAdviseOpenInput = "Compressor advise : can open input file : ";
inline constexpr const char* kAdviseReadStream = "Compressor advise : input stream read error !";
inline constexpr const char* kAdviseReadFile = "Compressor advise : read error on input file : ";

inline constexpr const char* kNoLzhTables = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kNoKhHashTable = "CompressorKH : no memory for HASH table";

} // namespace lrl::compressor_messages
