# SAMPLES.MAK - ZEVANO++ sample programs (Visual C++ nmake)
#   nmake -f SAMPLES.MAK

CPP = cl
CPPFLAGS = /nologo /W3 /O1 /I INCLUDE /D WIN32 /D _WINDOWS
LIBS = zevano.lib user32.lib gdi32.lib comctl32.lib

all: hello.exe files.exe sjis.exe

hello.exe: HELLO.CPP
	$(CPP) $(CPPFLAGS) HELLO.CPP /link $(LIBS) /subsystem:windows

files.exe: FILES.CPP
	$(CPP) $(CPPFLAGS) FILES.CPP /link $(LIBS) /subsystem:windows

sjis.exe: SJIS.CPP
	$(CPP) $(CPPFLAGS) SJIS.CPP /link $(LIBS) /subsystem:windows

clean:
	-del *.obj
	-del *.exe
