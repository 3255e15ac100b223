"""A built program's file as the Windows loader reads it: the headers, the data directories, the
imports and the thread-local storage, read with pefile (Debian's python3-pefile).

Every check of the built files that reads the program's file, and the call trace for the
program's address range, reads it through this one module.
"""
import os
import sys

try:
    import pefile
except ModuleNotFoundError:
    # Debian's interpreter carries python3-pefile; another python3 earlier on PATH may not. A
    # script run with that one starts again with Debian's.
    if os.path.realpath(sys.executable) == os.path.realpath("/usr/bin/python3"):
        raise
    os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)

# Data directories, by their index in the optional header.
IMPORT_DIRECTORY = 1
TLS_DIRECTORY = 9
DELAY_IMPORT_DIRECTORY = 13


class Image:
    """The fields of one file's headers; made from a path or from the bytes of a made-up file."""

    def __init__(self, path=None, data=None):
        self.pe = pefile.PE(name=None if path is None else str(path), data=data, fast_load=True)
        self.size = len(self.pe.__data__)
        header = self.pe.FILE_HEADER
        optional = self.pe.OPTIONAL_HEADER
        self.machine = header.Machine
        self.magic = optional.Magic
        self.image_base = optional.ImageBase
        self.image_size = optional.SizeOfImage
        self.section_alignment = optional.SectionAlignment
        self.file_alignment = optional.FileAlignment
        self.os_major = optional.MajorOperatingSystemVersion
        self.os_minor = optional.MinorOperatingSystemVersion
        self.subsystem_major = optional.MajorSubsystemVersion
        self.subsystem_minor = optional.MinorSubsystemVersion
        self.subsystem = optional.Subsystem
        self.directories = [(entry.VirtualAddress, entry.Size)
                            for entry in optional.DATA_DIRECTORY]

    def directory(self, index):
        """(address, size) of one data directory; (0, 0) where the header has no such entry."""
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        """[(library in lower case, function)] from the import directory; "#ordinal" stands for a
        function imported by its number."""
        if not any(self.directory(IMPORT_DIRECTORY)):
            return []
        self.pe.parse_data_directories(directories=[IMPORT_DIRECTORY])
        if not hasattr(self.pe, "DIRECTORY_ENTRY_IMPORT"):
            raise ValueError("the import directory could not be read: "
                             + "; ".join(self.pe.get_warnings()))
        return [(library.dll.decode("ascii").lower(),
                 function.name.decode("ascii") if function.name else "#ordinal")
                for library in self.pe.DIRECTORY_ENTRY_IMPORT for function in library.imports]

    def tls_template_size(self):
        """Bytes of thread-local data that the loader sets up for each thread: the template copied
        from the file and the zeros after it. 0 without a thread-local storage directory."""
        address, _ = self.directory(TLS_DIRECTORY)
        if not address:
            return 0
        self.pe.parse_data_directories(directories=[TLS_DIRECTORY])
        if not hasattr(self.pe, "DIRECTORY_ENTRY_TLS"):
            raise ValueError(f"the thread-local storage directory at {address:#x} could not be "
                             "read: " + "; ".join(self.pe.get_warnings()))
        tls = self.pe.DIRECTORY_ENTRY_TLS.struct
        return tls.EndAddressOfRawData - tls.StartAddressOfRawData + tls.SizeOfZeroFill


def image_range(path):
    """(first address, address past the end) of the program's image where it loads unmoved."""
    image = Image(path)
    return image.image_base, image.image_base + image.image_size
