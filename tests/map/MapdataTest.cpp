// The cases of isclear sit with the map pictures in MapgenTest.cpp; this file can go.
