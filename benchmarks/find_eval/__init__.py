"""Labelled documents and a scorer for the text finder (see README.md)."""
