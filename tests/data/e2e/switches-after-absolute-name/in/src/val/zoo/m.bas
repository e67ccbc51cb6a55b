Attribute VB_Name = "M"
Dim x As Long
