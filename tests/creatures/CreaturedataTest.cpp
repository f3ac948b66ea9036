// The cases of iscreatureAt sit with placement in CreaturesTest.cpp; this file can go.
